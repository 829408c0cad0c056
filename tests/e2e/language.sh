#!/usr/bin/env bash
# The window and vivar's help speak Spanish in a Spanish locale and English
# in the C locale, and the language --language names over either, the status line grouping its numbers as the window's
# language does, while the console trace stays byte for byte the same in
# both.
#   language.sh VIVAR VIVAR-SIM PICTURES-DIR
source "$(dirname "$0")/session.sh"
vivar=$(realpath "$1") sim=$(realpath "$2") pictures=$3
status_log=$work/status
status_lines() { sed 's/\xc2\xa0/ /g' "$status_log"; }
said() { status_lines | grep -q -E "$1"; }

# A Spanish locale of the C library's own, which a test machine need not
# have generated, so that Qt hands the program a real one.
spanish=(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=es_ES.UTF-8)
mkdir -p "$work/locales"
localedef -i es_ES -f UTF-8 "$work/locales/es_ES.UTF-8" || die "cannot make a Spanish locale (apt-get install locales)"
spanish+=(LOCPATH="$work/locales")
plain=(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C)

# --help and a complaint about an option.
"${spanish[@]}" "$vivar" --help | head -n 1 | grep -q -x 'Modo de empleo: vivar \[OPCIÓN\]...' ||
  fail "--help in Spanish begins: $("${spanish[@]}" "$vivar" --help | head -n 1)"
"${plain[@]}" "$vivar" --help | head -n 1 | grep -q -x 'Usage: vivar \[OPTION\]...' ||
  fail "--help in the C locale begins: $("${plain[@]}" "$vivar" --help | head -n 1)"
"${spanish[@]}" "$vivar" --pace x 2>"$err"; status=$?
[ "$status" -eq 2 ] && grep -q -x "vivar: --pace necesita un número entero de 0 a 10000, no 'x' (pruebe --help)" "$err" ||
  fail "a bad --pace in Spanish: status $status, $(cat "$err")"
"${plain[@]}" "$vivar" --pace x 2>"$err"
grep -q -x "vivar: --pace needs a whole number from 0 to 10000, not 'x' (try --help)" "$err" ||
  fail "a bad --pace in the C locale: $(cat "$err")"

# The same seeded run in each locale: the status line at the start, with
# the slowest pace, then at the fastest, filled and after one generation;
# the trace of it all. The
# trace prints an address, so the runs are made without address
# randomisation.
read -r brown green brown_eggs green_eggs cats < <("$sim" --seed 5 --generations 1 --counts |
  awk -F, '$1 == 1 { print $3, $4, $5, $6, $7 }')
cd "$pictures" || die "no pictures folder"
run() {  # NAME ENV...
  local name=$1; shift
  : >"$status_log"
  VIVAR_STATUS_LOG=$status_log start_vivar "$@" setarch "$(uname -m)" -R "$vivar" --seed 5 --pace 10000
  wait_for 5 said "$started" || fail "$name: the status line began $(status_lines | head -n 1)"
  # Faster, step by step, to no pause: a generation's trace is then
  # printed whole before the window closes, however slow the machine.
  for _ in 1 2 3 4 5 6 7 8 9 10; do key plus; done
  wait_for 5 said "$paced" || fail "$name: fastest: $(status_lines | tail -n 1)"
  button 3  # fill
  wait_for 5 said "$filled" || fail "$name: the fill: $(status_lines | tail -n 1)"
  key n
  wait_for 10 said "$stepped" || fail "$name: one generation: $(status_lines | tail -n 1)"
  key ctrl+q
  wait "$pid" || fail "$name: exit status $?"
  pid=
  [ ! -s "$err" ] || fail "$name: stderr: $(cat "$err")"
  cp "$out" "$work/trace-$name"
  cp "$status_log" "$work/status-$name"
}
started='^Generación 0 · detenido · lagartos marrones 0, huevos 0 · lagartos verdes 0, huevos 0 · gatos 0 \(0 comiendo\) · ritmo 10\.000 ms · semilla 5$'
paced='ritmo 0 ms · semilla 5$'
filled='^Generación 0 · detenido · lagartos marrones [0-9]+, huevos 0 · .* · ritmo 0 ms · semilla 5$'
stepped="^Generación 1 · detenido · lagartos marrones $brown, huevos $brown_eggs · lagartos verdes $green, huevos $green_eggs · gatos $cats \([0-9]+ comiendo\) · ritmo 0 ms · semilla 5$"
run spanish "${spanish[@]}"
started='^Generation 0 · stopped · brown lizards 0, eggs 0 · green lizards 0, eggs 0 · cats 0 \(0 eating\) · pace 10000 ms · seed 5$'
paced='pace 0 ms · seed 5$'
filled='^Generation 0 · stopped · brown lizards [0-9]+, eggs 0 · .* · pace 0 ms · seed 5$'
stepped="^Generation 1 · stopped · brown lizards $brown, eggs $brown_eggs · green lizards $green, eggs $green_eggs · cats $cats \([0-9]+ eating\) · pace 0 ms · seed 5$"
run plain "${plain[@]}"

# Numbers are written as the window's language writes them, whatever the
# digits of the locale: this machine's C.UTF-8 with LANGUAGE=es is Spanish.
pace_reads() {  # EXPECTED ENV...; vivar's --language in $language_option
  local expected=$1; shift
  : >"$status_log"
  VIVAR_STATUS_LOG=$status_log start_vivar env -u LC_ALL -u LC_MESSAGES -u LANGUAGE "$@" "$vivar" --pace 10000 \
    ${language_option:+"$language_option"}
  wait_for 5 said "$expected" || fail "$*: the status line said $(status_lines | tail -n 1)"
  key ctrl+q
  wait "$pid" || fail "$*: exit status $?"
  pid=
}
pace_reads ' ritmo 10\.000 ms$' LANG=C.UTF-8 LANGUAGE=es
pace_reads ' pace 10000 ms$' LANG=C.UTF-8 LANGUAGE=en
pace_reads ' pace 10,000 ms$' LANG=en_US.UTF-8
# --language over the locale, both ways: the window as well as the help.
language_option=--language=es pace_reads ' ritmo 10\.000 ms$' LANG=en_US.UTF-8 LANGUAGE=en
language_option=--language=en pace_reads ' pace 10000 ms$' LANG=C.UTF-8 LANGUAGE=es

[ -s "$work/trace-plain" ] && grep -q '^especie = ' "$work/trace-plain" ||
  fail "the run printed no trace of a generation"
cmp -s "$work/trace-spanish" "$work/trace-plain" ||
  fail "the trace differs between the locales: $(diff "$work/trace-spanish" "$work/trace-plain" | head -n 5)"
end_checks
