#!/usr/bin/env bash
# Both programs' words on the command line, as a user sees them: --language
# over the locale, taken before any other option; /? for the help; and a
# mistyped option answered with the nearest one, in both languages.
#   language_options.sh VIVAR VIVAR-SIM
source "$(dirname "$0")/lib.sh"
vivar=$1 sim=$2
err=$work/err
# No display: a mistake is told before any window opens.
english=(env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LC_MESSAGES LANG=C LANGUAGE=en)
spanish=(env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 LANGUAGE=es)

first_help_line() { "$@" 2>&1 | head -n 1; }
refused_with() {  # LINE COMMAND...: status 2, nothing on stdout, that one line on stderr
  local line=$1; shift
  local out status
  out=$(timeout 60 "$@" 2>"$err")
  status=$?
  [ "$status" -eq 2 ] && [ -z "$out" ] && [ "$(cat "$err")" = "$line" ] ||
    fail "$*: status $status, stderr: $(cat "$err"), expected: $line"
}

for program in vivar vivar-sim; do
  binary=$vivar english_usage='Usage: vivar [OPTION]...' spanish_usage='Modo de empleo: vivar [OPCIÓN]...'
  if [ "$program" = vivar-sim ]; then
    binary=$sim
    english_usage='Usage: vivar-sim [OPTION]... [--counts | --summary] [--save-board FILE [--at K]]'
    spanish_usage='Modo de empleo: vivar-sim [OPCIÓN]... [--counts | --summary] [--save-board ARCHIVO [--at K]]'
  fi

  # /? is --help, as Windows programs take it; on Debian too.
  [ "$(first_help_line "${english[@]}" "$binary" '/?')" = "$english_usage" ] ||
    fail "$program /? printed: $(first_help_line "${english[@]}" "$binary" '/?')"
  [ "$("${english[@]}" "$binary" '/?' | md5sum)" = "$("${english[@]}" "$binary" --help | md5sum)" ] ||
    fail "$program /? and --help differ"

  # --language wins over the locale, in either form, the last one given.
  [ "$(first_help_line "${english[@]}" "$binary" --language es --help)" = "$spanish_usage" ] ||
    fail "$program --language es --help began: $(first_help_line "${english[@]}" "$binary" --language es --help)"
  [ "$(first_help_line "${spanish[@]}" "$binary" --help --language=en)" = "$english_usage" ] ||
    fail "$program --help --language=en in Spanish began: $(first_help_line "${spanish[@]}" "$binary" --help --language=en)"
  [ "$(first_help_line "${english[@]}" "$binary" --language en --language es --help)" = "$spanish_usage" ] ||
    fail "$program: of two --language, the last does not win"
  "${english[@]}" "$binary" --language es --help | grep -q -e '--language L' -e '--help, /?' ||
    fail "$program's Spanish help names no --language or /?"

  # A mistyped option names the nearest one, glued value or not, and in the
  # language asked for even when that comes after it; a far-off word gets
  # the plain line.
  refused_with "$program: unknown option '--sed'; did you mean '--seed'? (try --help)" \
    "${english[@]}" "$binary" --sed 1
  refused_with "$program: unknown option '--seeed'; did you mean '--seed'? (try --help)" \
    "${english[@]}" "$binary" --seeed=1
  refused_with "$program: opción desconocida '--sed'; ¿quería decir '--seed'? (pruebe --help)" \
    "${english[@]}" "$binary" --sed 1 --language es
  refused_with "$program: unknown option '--frobnicate' (try --help)" "${english[@]}" "$binary" --frobnicate
  refused_with "$program: --language takes en, es, not 'fr' (try --help)" "${english[@]}" "$binary" --language fr
  refused_with "$program: --language needs a value (try --help)" "${english[@]}" "$binary" --language
done

# A language refused is refused in the locale's: the window's.
refused_with "vivar: --language admite en, es, no 'fr' (pruebe --help)" "${spanish[@]}" "$vivar" --language fr
# Each program's own mistakes, too, follow --language.
refused_with "vivar: --pace necesita un número entero de 0 a 10000, no 'x' (pruebe --help)" \
  "${english[@]}" "$vivar" --pace x --language es
refused_with "vivar-sim: --generations necesita un número entero de 0 a 9223372036854775807, no 'x' (pruebe --help)" \
  "${english[@]}" "$sim" --language es --generations x
# Without --language vivar-sim speaks English, which scripts read, whatever
# the locale; and --language changes no output but the words.
[ "$(first_help_line "${spanish[@]}" "$sim" --help)" = 'Usage: vivar-sim [OPTION]... [--counts | --summary] [--save-board FILE [--at K]]' ] ||
  fail "vivar-sim in a Spanish locale began its help: $(first_help_line "${spanish[@]}" "$sim" --help)"
cmp -s <("$sim" --seed 5 --generations 20) <("$sim" --language es --seed 5 --generations 20) ||
  fail "--language es changed vivar-sim's trace"

end_checks
