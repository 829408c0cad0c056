#!/bin/sh
# Brings the translations up to date with the texts in the code: a new text
# comes in unfinished, a text gone from the code goes from the files. Then
# translate what is unfinished, with Qt Linguist or a text editor.
#   translations/update.sh            every translations/vivar_*.ts
#   translations/update.sh fr         starts translations/vivar_fr.ts
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v /usr/lib/qt5/bin/lupdate || command -v lupdate)
cd "$here"
if [ $# -gt 0 ]; then
  for language in "$@"; do
    "$lupdate" -silent -no-obsolete -locations relative -I . -target-language "$language" base app model studies looks film view platform programs tools \
      -ts "translations/vivar_$language.ts"
  done
else
  "$lupdate" -silent -no-obsolete -locations relative -I . base app model studies looks film view platform programs tools -ts translations/vivar_*.ts
fi
