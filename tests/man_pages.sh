#!/usr/bin/env bash
# Each man page, rendered by man as a reader sees it, shows every option and
# key of its program's --help as an entry of its own: the option or key with
# its argument, and under it the whole description. The usage lines become
# the synopsis, one line per form, and groff has no warning to give.
#   man_pages.sh PAGE PROGRAM LANGUAGE [PAGE PROGRAM LANGUAGE]...
# LANGUAGE is the one --help speaks for that page (en or es).
source "$(dirname "$0")/lib.sh"

# Squeezes the white space; man's own hyphens and quotes become ASCII.
plain() { sed 's/\xe2\x80\x90/-/g; s/\xe2\x80\x91/-/g; s/\xe2\x88\x92/-/g; s/\xe2\x80\x99/'"'"'/g'; }
squeeze() { tr -s ' \t' '  ' | sed 's/^ //; s/ $//'; }

# The entries of a --help text: "TAG<tab>DESCRIPTION" for every indented
# line that starts one (the option or key, then two spaces or more, or a
# line of its own), its description's further lines joined to it. The first
# paragraph is the usage.
help_entries() {
  awk '
    function squeeze(s) { gsub(/[ \t]+/, " ", s); sub(/^ /, "", s); sub(/ $/, "", s); return s }
    function flush() { if (tag != "") printf "%s\t%s\n", tag, squeeze(description); tag = "" }
    NR == 1, /^$/ { next }
    {
      match($0, /^ */); indent = RLENGTH
      text = substr($0, indent + 1)
      if (text == "") { flush(); next }
      if (tag != "" && indent > 10 && (column == 0 || indent == column)) {
        if (column == 0) column = indent
        description = description " " text
        next
      }
      flush()
      if (indent == 0 || indent > 10) next
      column = 0
      if (match(text, /  +/)) {
        tag = substr(text, 1, RSTART - 1)
        description = substr(text, RSTART + RLENGTH)
        column = indent + RSTART + RLENGTH - 1
      } else {
        tag = text
        description = ""
      }
    }
    END { flush() }'
}

# An entry as the page shows it: the line that holds the tag alone at the
# tag's indent of 7 (or a short tag with its description at 14), then the
# description's lines at 14. Prints the description; fails without the tag.
page_entry() {  # TAG RENDERED-PAGE
  awk -v tag="$1" '
    found {
      if ($0 !~ /^              [^ ]/) exit
      description = description " " substr($0, 15)
      next
    }
    substr($0, 1, 7 + length(tag)) == "       " tag {
      rest = substr($0, 8 + length(tag))
      if (rest == "") { found = 1; next }
      if (8 + length(tag) <= 14 && match(rest, /^ +[^ ]/) && 7 + length(tag) + RLENGTH == 15) {
        found = 1
        description = substr(rest, RLENGTH)
      }
    }
    END { if (!found) exit 1; print description }' "$2"
}

# The synopsis section's lines, up to the next heading.
synopsis() {
  awk '/^(SYNOPSIS|SINOPSIS)$/ { inside = 1; next } inside && /^[^ ]/ { exit } inside && NF { print }' "$1"
}

while [ $# -ge 3 ]; do
  page=$1 program=$2 language=$3
  shift 3
  name=$(basename "$program")
  what="$(basename "$(dirname "$page")")/$(basename "$page")"
  case $language in
    es) help=$(env -u LC_ALL -u LC_MESSAGES LANGUAGE=es LANG=C.UTF-8 "$program" --help) ;;
    *) help=$(env -u LANGUAGE -u LC_MESSAGES LC_ALL=C.UTF-8 "$program" --help) ;;
  esac
  [ -n "$help" ] || { fail "$name --help ($language) printed nothing"; continue; }

  # Wide, without hyphenation or justification, so that each description
  # reads as the help has it.
  rendered=$work/$name.$language.txt
  LC_ALL=C.UTF-8 MANWIDTH=200 man --nh --nj --warnings -E UTF-8 -l "$page" 2>"$work/warnings" | plain >"$rendered"
  [ -s "$rendered" ] || { fail "$what: man rendered nothing"; continue; }
  [ ! -s "$work/warnings" ] || fail "$what: groff warns: $(head -n 3 "$work/warnings")"

  entries=0
  while IFS=$'\t' read -r tag description; do
    entries=$((entries + 1))
    if ! shown=$(page_entry "$tag" "$rendered"); then
      fail "$what: no entry \"$tag\""
    elif [ "$(squeeze <<<"$shown")" != "$description" ]; then
      fail "$what: the entry \"$tag\" reads \"$(squeeze <<<"$shown")\", not \"$description\""
    fi
  done < <(help_entries <<<"$help")
  [ "$entries" -ge 5 ] || fail "$name --help ($language): only $entries entries found"

  forms=$(sed '/^$/q' <<<"$help" | grep -c .)
  shown_forms=$(synopsis "$rendered" | grep -c "^       $name ")
  [ "$shown_forms" -eq "$forms" ] && [ "$(synopsis "$rendered" | wc -l)" -eq "$forms" ] ||
    fail "$what: the synopsis is not the $forms usage form(s) of --help: $(synopsis "$rendered")"
  ! grep -q -i -E '^ *(usage|modo de empleo|or|o):' "$rendered" ||
    fail "$what: a usage line outside the synopsis: $(grep -i -E '^ *(usage|modo de empleo|or|o):' "$rendered")"
  echo "$what: $entries entries, $forms usage form(s)"
done

end_checks
