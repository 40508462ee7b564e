#!/usr/bin/env bash
# Runs the GNU parallel recipe of docs/tarvik-decode.md on this machine alone
# and checks that the joined output equals what one tarvik-decode writes for
# the same file.
#   parallel-recipe.sh TARVIK_DECODE TARVIK_CORPUS WORK_DIR
set -euo pipefail
decode=$1 corpus=$2 work=$3
command -v parallel >/dev/null || { echo "GNU parallel is not installed" >&2; exit 1; }
mkdir -p "$work"
archive=$work/archive.txt
"$corpus" 20000 > "$archive"

for format in listing json csv; do
  "$decode" --format "$format" < "$archive" > "$work/single.$format"
  # The recipe: cut the file at line ends into blocks, decode each block in
  # a job of its own (here two local jobs), and keep the blocks' order. A
  # table gets its header once, the blocks none.
  "$decode" --format "$format" < /dev/null > "$work/joined.$format"
  parallel --will-cite --pipepart -a "$archive" --block 300k --keep-order -j 2 \
    "$decode" --format "$format" --no-header --jobs 1 >> "$work/joined.$format"
  cmp "$work/single.$format" "$work/joined.$format"
done
echo "joined output equals the single-process output"
