#!/usr/bin/env bash
# tarvik-decode's input and output options: several input files, files that
# cannot be opened or read, -o written whole or not at all (a folder, a full
# disk, an existing file kept on failure), and the progress line kept out of
# the output.
#   input-output.sh TARVIK_DECODE TEST_DIR WORK_DIR
set -uo pipefail
decode=$(realpath "$1") data=$(realpath "$2") work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
stations=(--stations "$data/../data/stations.txt")
failures=0
check() {  # check DESCRIPTION CONDITION...
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; failures=$((failures + 1)); fi
}
run() {  # run ARGS... : status in $status, output in out.txt, errors in err.txt
  "$decode" "${stations[@]}" "$@" > out.txt 2> err.txt
  status=$?
}

cat "$data/batch.out" "$data/remarks.out" > both.out
run -i "$data/batch.in" --input "$data/remarks.in"
check "two files are read in turn" cmp -s out.txt both.out
check "a rejected report still gives status 1" test "$status" = 1

printf 'KAUS 121755Z 24010KT' > open.in && printf 'KJFK 121755Z 24010KT\n' > next.in
run -f csv --no-header --jobs 2 -i open.in -i next.in
check "a file's last line ends with the file" test "$(cut -d, -f1 out.txt)" = "KAUS 121755Z 24010KT
KJFK 121755Z 24010KT"

run -i - < "$data/remarks.in"
check "-i - reads standard input" cmp -s out.txt "$data/remarks.out"

# A file that cannot be opened or read stops the run; what came before stays.
run -i "$data/remarks.in" -i missing.txt
check "missing file: status 2" test "$status" = 2
check "missing file: message" grep -qx "tarvik-decode: missing.txt: No such file or directory" err.txt
check "missing file: earlier output kept" cmp -s out.txt "$data/remarks.out"
run -i "$data/remarks.in" -i /proc/self/mem
check "unreadable file: status 2 and its reason" \
  grep -qx "tarvik-decode: /proc/self/mem: Input/output error" err.txt
run -i "$work"
check "a folder as input" grep -qx "tarvik-decode: $work: Is a directory" err.txt

# -o: the file appears when the run succeeds, and nothing is left beside it.
mkdir out && run -i "$data/remarks.in" -o out/listing.txt
check "-o writes the file" cmp -s out/listing.txt "$data/remarks.out"
check "-o leaves no temporary file" test "$(ls -A out)" = listing.txt
check "-o writes nothing to standard output" test ! -s out.txt

# A failure leaves no file under the name, and an existing one untouched.
echo "precious" > out/kept.txt
run -i "$data/remarks.in" -i missing.txt -o out/kept.txt
check "failure keeps the existing file" test "$(cat out/kept.txt)" = precious
run -i "$data/remarks.in" -i missing.txt -o out/new.txt
check "failure leaves no new file" test ! -e out/new.txt
check "failure leaves no temporary file" test "$(ls -A out)" = "kept.txt
listing.txt"
run -i "$data/remarks.in" -o out
check "-o onto a folder: status 2" test "$status" = 2
check "-o onto a folder: message" grep -qx "tarvik-decode: out: Is a directory" err.txt

# A replaced file keeps its mode, a link is followed, a pipe is written in
# place, and an interrupted run leaves nothing beside the target.
echo old > out/private.txt && chmod 600 out/private.txt
run -i "$data/remarks.in" -o out/private.txt
check "-o keeps the mode of the file it replaces" test "$(stat -c %a out/private.txt)" = 600
ln -s private.txt out/link.txt
run -i "$data/remarks.in" -o out/link.txt
check "-o follows a link" test -L out/link.txt
check "-o writes the linked file" cmp -s out/private.txt "$data/remarks.out"
mkfifo pipe && { cat pipe > piped.txt & }
run -i "$data/remarks.in" -o pipe
wait
check "-o writes into a pipe" cmp -s piped.txt "$data/remarks.out"
check "-o leaves the pipe a pipe" test -p pipe
mkdir stopped && { yes "KAUS 121755Z 24010KT 10SM CLR 24/12 A3001" | head -n 2000000 > slow.in; }
"$decode" "${stations[@]}" --jobs 1 -i slow.in -o stopped/listing.txt 2> /dev/null &
sleep 0.3 && kill -INT $! && wait $!
check "an interrupted run leaves nothing" test -z "$(ls -A stopped)"
check "-o replaced nothing else" test "$(ls -A out)" = "kept.txt
link.txt
listing.txt
private.txt"

# A full disk: a 64 KiB file system of our own, when the machine lets us make one.
if unshare -rm true 2>/dev/null; then
  for i in 1 2 3 4 5 6 7 8; do cat "$data/remarks.in"; done > big.in
  unshare -rm bash -c "mkdir -p disk && mount -t tmpfs -o size=64k tmpfs disk &&
    '$decode' ${stations[*]} -i big.in -o disk/listing.txt 2> err.txt; echo \$? > status.txt;
    ls -A disk > left.txt"
  check "-o onto a full disk: status 2" test "$(cat status.txt)" = 2
  check "-o onto a full disk: message" \
    grep -qx "tarvik-decode: disk/listing.txt: No space left on device" err.txt
  check "-o onto a full disk: nothing left" test ! -s left.txt
else
  echo "no user namespaces here: the full-disk case is not run"
fi

# The progress line goes to standard error and never into the output.
for i in 1 2 3 4 5 6 7 8 9 10; do cat "$data/remarks.in" "$data/batch.in"; done > many.in
"$decode" "${stations[@]}" --no-progress -i many.in > plain.txt 2> /dev/null
run --progress -i many.in
check "progress: the output is unchanged" cmp -s out.txt plain.txt
check "progress: drawn on standard error" grep -q "reports/s" err.txt
# The last line drawn is erased before anything else is written.
erased=$(cat err.txt)
erased=${erased##*reports/s}
check "progress: erased at the end" test "${erased:0:7}" = $'\033[K\r\033[K'
run --progress -f csv -i many.in -o out/table.csv
check "progress with -o: nothing on standard output" test ! -s out.txt
check "progress with -o: the table has no progress in it" bash -c "! grep -q 'reports/s' out/table.csv"

[ "$failures" = 0 ] && echo "input and output options: all checks passed"
exit $((failures > 0))
