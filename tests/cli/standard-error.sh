#!/usr/bin/env bash
# What tarvik-decode writes on standard error: usage errors that say what an
# option expected, input bytes shown safely, the decoder's diagnostics with
# their place (-v) or one closing count, notes on options without effect,
# the progress line erased before any other text, and a closed pipe.
#   standard-error.sh TARVIK_DECODE WORK_DIR
set -uo pipefail
decode=$(realpath "$1") work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
check() {  # check DESCRIPTION CONDITION...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}
same() {  # same FILE EXPECTED: the file holds exactly these bytes
  [ "$(od -An -c "$1")" = "$(printf '%s' "$2" | od -An -c)" ] ||
    { echo "  got:"; od -c "$1" | head -20; false; }
}
hint="Try 'tarvik-decode --help' for more information."

# Usage errors: the option, what it expected, what it got; status 2.
while IFS='|' read -r args message; do
  # shellcheck disable=SC2086  # the arguments are split on purpose
  "$decode" $args < /dev/null > out.txt 2> err.txt
  status=$?
  check "usage error '$args': status" test "$status" = 2
  check "usage error '$args': message" same err.txt "tarvik-decode: $message
$hint
"
done <<'TABLE'
-f xml|--format: expected listing, json or csv, got xml
--format|--format: expected listing, json or csv, got nothing
--jobs 0|--jobs: expected a number from 1 to 1024, got 0
-j 2x|--jobs: expected a number from 1 to 1024, got 2x
--jobs 1025|--jobs: expected a number from 1 to 1024, got 1025
--month 2024-13|--month: expected a month as YYYY-MM, got 2024-13
-o|--output: expected a file name, got nothing
-f json -f csv|--format: given more than once
--fahrenheit=no|--fahrenheit: takes no value
--no-such-option|unknown option --no-such-option
-x KAUS|unknown option -x
TABLE
"$decode" -f $'\033[2J' < /dev/null 2> err.txt
check "a bad value is shown safely" same err.txt "tarvik-decode: --format: expected listing, json or csv, got \\x1b[2J
$hint
"

# Input bytes never reach the terminal raw: without -v only the count, with
# -v the diagnostic with the place and the bytes escaped.
printf '\033]0;PWNED\007\033[2J 121751Z\n' > escapes.in
"$decode" < escapes.in > /dev/null 2> err.txt
check "escapes: status 1" test $? = 1
check "escapes: one closing line" same err.txt \
  "tarvik-decode: 1 of 1 report rejected (first: standard input:1, result 12)
"
"$decode" -v --jobs 2 -i escapes.in > /dev/null 2> err.txt
check "escapes: shown safely with -v" same err.txt \
  'escapes.in:1: DcdMETAR: bad token[0] = \x1b]0;PWNED\x07\x1b[2J
tarvik-decode: 1 of 1 report rejected (first: escapes.in:1, result 12)
'

# Every diagnostic names its place, in input order, with any number of
# threads; blank lines count, REPORT arguments are named by their number.
for i in $(seq 1 30000); do
  case $((i % 7919)) in
    0) echo "metar x$i" ;;
    1) echo ;;
    *) echo "KAUS 1217${i: -2}Z 24010KT 10SM CLR 24/12 A3001" ;;
  esac
done > many.in
expected=$(awk '/^metar/ { print "many.in:" NR ": DcdMETAR: bad token[0] = metar" }' many.in)
for jobs in 1 3; do
  "$decode" -v --jobs "$jobs" -f json "KAUS 121755Z" "- x" -i many.in > /dev/null 2> err.txt
  check "-v --jobs $jobs: status 1" test $? = 1
  check "-v --jobs $jobs: every place, in order" same err.txt "argument 2: DcdMETAR: bad token[0] = -
$expected
tarvik-decode: 4 of 29,998 reports rejected (first: argument 2, result 12)
"
done

# The progress line is erased before a diagnostic is written: after the last
# carriage return of each diagnostic's line comes only the erase and the text.
for i in 1 2 3 4 5 6 7 8; do cat many.in; done > more.in
"$decode" -v --progress --jobs 2 -i more.in > /dev/null 2> err.txt
check "progress: drawn" grep -q "reports/s" err.txt
check "progress: erased before each diagnostic" \
  test "$(grep -a DcdMETAR err.txt | sed 's/.*\r//' | grep -Ecav $'^(\033\\[K)?more\\.in:[0-9]+: ')" = 0

# Options the format makes no use of, and days the month given does not
# have: one note each.
"$decode" -f json --fahrenheit --no-header "KAUS 121755Z" > /dev/null 2> err.txt
check "notes: --fahrenheit and --no-header with JSON" same err.txt \
  "tarvik-decode: note: --fahrenheit changes only the listing; JSON and CSV keep each report's own units
tarvik-decode: note: --no-header changes only CSV
"
"$decode" --month 2024-02 "KAUS 121755Z" > /dev/null 2> err.txt
check "notes: --month with the listing" same err.txt \
  "tarvik-decode: note: --month changes only JSON and CSV (their observationTime)
"
printf 'KAUS 301755Z\nKAUS 291755Z\nKAUS 311755Z\nKAUS 301755Z\n' > february.in
"$decode" -f csv --month 2024-02 --jobs 2 -i february.in > /dev/null 2> err.txt
check "notes: days February does not have" same err.txt \
  "tarvik-decode: note: no observationTime for 3 of 4 reports, whose day 2024-02 does not have (first: february.in:1, day 30)
"

# A reader that stops reading ends the run quietly, by SIGPIPE (141 in a
# shell); an output named with -o is still an error to report.
for jobs in 1 2; do
  "$decode" -f json --jobs "$jobs" -i many.in 2> err.txt | head -n 1 > /dev/null
  check "closed pipe, --jobs $jobs: status 141" test "${PIPESTATUS[0]}" = 141
  check "closed pipe, --jobs $jobs: nothing said" test ! -s err.txt
done

[ "$failures" = 0 ] && echo "standard error: all checks passed"
exit $((failures > 0))
