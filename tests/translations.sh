#!/usr/bin/env bash
# Every text of the window and of both programs' command lines has its Spanish in
# translations/vivar_es.ts: Qt's lupdate, run over the code into a copy of
# the file, finds no text the file lacks and none it holds for nothing, and
# no translation left unfinished; each translation keeps its source's
# markers (%1, %2...).
#   translations.sh SOURCE-DIR
source "$(dirname "$0")/lib.sh"
source_dir=$(cd "$1" && pwd)
lupdate=$(command -v /usr/lib/qt5/bin/lupdate || command -v lupdate)

for ts in "$source_dir"/translations/vivar_*.ts; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  (cd "$source_dir" && "$lupdate" -silent -locations none -I . base app model studies looks film view platform programs tools -ts "$copy") ||
    fail "lupdate could not read the code"
  unfinished=$(grep -c 'type="unfinished"' "$copy")
  vanished=$(grep -c 'type="vanished"\|type="obsolete"' "$copy")
  [ "$unfinished" -eq 0 ] ||
    fail "$(basename "$ts"): $unfinished texts without a translation:" \
      "$(grep -B2 'type="unfinished"' "$copy" | sed -n 's/.*<source>\(.*\)<\/source>.*/\1/p' | head -n 5)"
  [ "$vanished" -eq 0 ] || fail "$(basename "$ts"): $vanished translations of texts no longer in the code"
  awk '
    # The markers of a text, as "%1%1%2": each number as often as it comes.
    function markers(text,    count, result, digit) {
      split("", count)
      while (match(text, /%[1-9]/)) { count[substr(text, RSTART + 1, 1)]++; text = substr(text, RSTART + 2) }
      for (digit = 1; digit <= 9; digit++) while (count[digit]-- > 0) result = result "%" digit
      return result
    }
    /<source>/ { in_source = 1; source = "" }
    in_source { source = source $0 }
    /<\/source>/ { in_source = 0 }
    /<translation/ { in_translation = 1; translation = "" }
    in_translation { translation = translation $0 }
    /<\/translation>/ {
      in_translation = 0
      if (markers(source) != markers(translation)) { print "  markers differ: " substr(source, 1, 80); bad++ }
    }
    END { exit bad > 0 }' "$copy" || fail "$(basename "$ts"): a translation's markers differ from its source's"
done
end_checks "translations complete"
