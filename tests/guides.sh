#!/usr/bin/env bash
# The user guides' links and pictures lead somewhere, read as Markdown in the
# source tree and as the HTML pages made from them wherever those lie (the
# build folder, the Debian package, the Windows zip); so do those of the
# README beside DOCS-DIR and of every other document in it; and the two
# guides keep the same sections and pictures, in the same order.
#   guides.sh DOCS-DIR [HTML-DIR]
source "$(dirname "$0")/lib.sh"
docs=$1 html=${2:-}

# GitHub's anchor for each heading of a Markdown file: lower case,
# punctuation gone, spaces made hyphens, letters beyond ASCII kept; a
# heading met again gets -1, -2 ... A line in a code block is no heading
# (the board files' examples begin with # comments).
anchors_of() {
  awk '/^```/ { code = !code; next } !code && /^#+ / { print }' "$1" | sed -E 's/^#+ //; s/[¿¡…—–·«»“”‘’]//g' |
    LC_ALL=C awk '{ s = tolower($0); gsub(/[][!"#$%&'"'"'()*+,.\/:;<=>?@\\^`{|}~]/, "", s); gsub(/ /, "-", s)
                    print (seen[s]++ ? s "-" seen[s] - 1 : s) }'
}

# Every link and picture of a Markdown file: a file or folder found from
# the file's own folder, a heading of a Markdown file so found or of the
# file itself, or a web address.
check_markdown() {
  local guide=$1 dir target file anchor
  dir=$(dirname "$guide")
  [ -s "$guide" ] || { fail "no $guide"; return; }
  while read -r target; do
    case $target in http://* | https://*) continue ;; esac
    file=${target%%#*} anchor=
    [[ $target == *"#"* ]] && anchor=${target#*#}
    [ -n "$file" ] || file=$(basename "$guide")
    [ -e "$dir/$file" ] || { fail "$(basename "$guide") links to $target: no $file in $dir"; continue; }
    if [ -n "$anchor" ]; then
      anchors_of "$dir/$file" | grep -q -x -F "$anchor" || fail "$(basename "$guide") links to $target: no such heading"
    fi
  done < <(grep -o -E '\]\([^) ]+\)' "$guide" | sed -E 's/^\]\((.*)\)$/\1/')
}

# An HTML page: every picture lies beside it, every anchor is an element's
# id, and every other link is a web address or a file beside it.
check_page() {
  local page=$1 dir target decoded
  dir=$(dirname "$page")
  [ -s "$page" ] || { fail "no $page"; return; }
  grep -q '<meta charset="utf-8">' "$page" || fail "$page names no character set"
  while read -r target; do
    [ -s "$dir/$target" ] || fail "$(basename "$page") shows $target, which is not beside it"
  done < <(grep -o -E '<img src="[^"]+"' "$page" | sed -E 's/^<img src="(.*)"$/\1/')
  while read -r target; do
    case $target in
      http://* | https://*) ;;
      "#"*)
        decoded=$(printf '%b' "$(sed 's/%\([0-9A-Fa-f][0-9A-Fa-f]\)/\\x\1/g' <<<"${target#\#}")")
        grep -q -F "id=\"$decoded\"" "$page" || fail "$(basename "$page") links to $target: no such id" ;;
      *) [ -e "$dir/${target%%#*}" ] || fail "$(basename "$page") links to $target, which is not beside it" ;;
    esac
  done < <(grep -o -E 'href="[^"]+"' "$page" | sed -E 's/^href="(.*)"$/\1/')
}

for guide in guide guia; do
  check_markdown "$docs/$guide.md"
  [ -z "$html" ] || check_page "$html/$guide.html"
done

# The README and the references, where the text a guide leaves out lives.
readme=$(dirname "$docs")/README.md
[ -s "$readme" ] || fail "no README.md beside $docs"
for markdown in "$readme" "$docs"/*.md; do
  case $(basename "$markdown") in guide.md | guia.md) continue ;; esac
  check_markdown "$markdown"
done

# The same sections, level by level, and the same pictures.
outline() { grep -E '^#{1,6} ' "$1" | sed -E 's/^(#+) .*/\1/' | tr '\n' ' '; }
# A picture of the window in each guide's language ends in -en or -es.
pictures() { grep -o -E '!\[[^]]*\]\([^)]+\)' "$1" | sed -E 's/.*\((.*)\)/\1/; s/-e[ns]\././' | tr '\n' ' '; }
[ "$(outline "$docs/guide.md")" = "$(outline "$docs/guia.md")" ] ||
  fail "the guides' sections differ: $(outline "$docs/guide.md") against $(outline "$docs/guia.md")"
[ "$(pictures "$docs/guide.md")" = "$(pictures "$docs/guia.md")" ] ||
  fail "the guides show different pictures: $(pictures "$docs/guide.md") against $(pictures "$docs/guia.md")"
end_checks "ok: the guides' links and pictures lead somewhere${html:+, in $html too}, and the README's and docs' too"
