#!/usr/bin/env bash
# tarvik-decode --fetch against a stand-in for the service on this machine
# (fetch-server.py): the reports decoded in the service's order, one
# request a minute, and each failure as one sentence with status 2 and
# nothing left under -o. Nothing here reaches outside this machine.
#   fetch.sh TARVIK_DECODE WORK_DIR
set -uo pipefail
decode=$(realpath "$1") work=$2 here=$(dirname "$(realpath "$0")")
rm -rf "$work" && mkdir -p "$work/cache" && cd "$work" || exit 1
failures=0
check() {  # check DESCRIPTION CONDITION...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}
/usr/bin/python3 "$here/fetch-server.py" "$work" & server=$!
trap 'kill $server 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s port ] && break; sleep 0.1; done
export TARVIK_SOURCE=http://127.0.0.1:$(cat port) XDG_CACHE_HOME=$work/cache TARVIK_FETCH_TIMEOUT=2

# Several stations, three hours: the reports as REPORT arguments would be.
"$decode" --fetch kjfk,EGLL --hours 3 -f json > fetched.json 2> err.txt
check "several stations: status 0" test $? = 0
grep -h "^METAR" <<<"$(sed -n 's/^{"input":"\([^"]*\)".*/\1/p' fetched.json)" > inputs.txt
check "several stations: the service's order" diff -q inputs.txt <(printf '%s\n' \
  "METAR KJFK 081751Z 24010G18KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163 T02440122" \
  "METAR KJFK 081651Z 24009KT 10SM FEW250 23/12 A3002 RMK AO2 SLP166 T02330117" \
  "METAR EGLL 081750Z 24015KT 9999 FEW030 12/08 Q1013 NOSIG" \
  "METAR EGLL 081720Z 24014KT 9999 FEW030 12/08 Q1013 NOSIG")
"$decode" -f json "METAR KJFK 081751Z 24010G18KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163 T02440122" \
  > argument.json
check "decoded as a REPORT argument is" \
  test "$(head -n 1 fetched.json | sed 's/"observationTime":"[^"]*",//')" = "$(cat argument.json)"
check "observationTime from the time of the request" grep -q '"observationTime":"[0-9]\{4\}-[0-9][0-9]-08T17:51Z"' fetched.json
check "one request, asked as the service wants it" \
  grep -q '^/api/data/metar?ids=KJFK%2CEGLL&format=raw&hours=3 Tarvik/' requests

# The same request within the minute is answered from the first.
"$decode" --fetch KJFK,EGLL --hours 3 -f json > again.json 2> err.txt
check "again: the same reports" cmp -s fetched.json again.json
check "again: no second request" test "$(wc -l < requests)" = 1
check "again: said so" grep -q "note: the answer of the request made" err.txt

# The latest report of one station, in the listing.
"$decode" --fetch KJFK > latest.txt 2> err.txt
check "latest: status 0" test $? = 0
check "latest: listed" grep -q "^STATION ID *: KJFK" latest.txt

# Failures: one sentence, status 2, and nothing under -o.
while IFS='|' read -r ids hours sentence; do
  args=(--fetch "$ids" -o out.csv -f csv)
  [ -n "$hours" ] && args+=(--hours "$hours")
  "$decode" "${args[@]}" > /dev/null 2> err.txt
  status=$?
  check "$ids: status 2" test "$status" = 2
  check "$ids: '$sentence'" grep -qF -- "$sentence" err.txt
  check "$ids: one line" test "$(wc -l < err.txt)" = 1
  check "$ids: nothing under -o" test ! -e out.csv
done <<'TABLE'
EGLL|2|no report for EGLL in the last 2 hours
XNIL||no recent report for XNIL
XBAD||refused the request (HTTP 400)
XRAT||asks to wait (HTTP 429, too many requests)
XERR||failed (HTTP 500): try again later
SLOW||no answer from 127.0.0.1
LOOP||more than 3 redirects from 127.0.0.1
HUGE||is larger than 8 MB
JUNK||the answer is not report text
HTML||the answer is not report text (a line begins '<!DOCTYPE html><html')
TABLE

# Refused before any request: bad identifiers, hours, sources.
before=$(wc -l < requests)
while IFS='|' read -r message args; do
  # shellcheck disable=SC2086  # the arguments are split on purpose
  "$decode" $args > /dev/null 2> err.txt
  check "'$args': status 2" test $? = 2
  check "'$args': '$message'" grep -qF -- "$message" err.txt
done <<'TABLE'
expected a station identifier of four letters or digits, got 'KJFKX'|--fetch KJFK,KJFKX
--hours: expected a number of hours from 1 to 360, got 361|--fetch KJFK --hours 361
--hours: only with --fetch|--hours 3 KJFK
http:// is only for a test server on this machine|--fetch KJFK --source http://example.org
TABLE
TARVIK_SOURCE=ftp://example.org "$decode" --fetch KJFK > /dev/null 2> err.txt
check "TARVIK_SOURCE checked: status 2" test $? = 2
check "TARVIK_SOURCE checked: said" grep -q "TARVIK_SOURCE: expected an https:// address" err.txt
check "no request for any of them" test "$(wc -l < requests)" = "$before"

[ "$failures" = 0 ] && echo "fetch: all checks passed"
exit $((failures > 0))
