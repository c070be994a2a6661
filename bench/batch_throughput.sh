#!/bin/sh
# Labels per second of `linnet batch` with one and two workers beside the peer's own batch
# mode, on the same Code 128 messages to PNG in the same run: the median of three runs each.
# Ours at 150 dpi draws the module 2 pixels wide, as the peer does at its default scale; ours
# at its default 300 dpi is beside the peer at --scale=2. Also checks that every row gave a file.
#   bench/batch_throughput.sh [LINNET] [ROWS]     (defaults: build/linnet, 10000)
# BENCH_DIR picks the file system the labels go to (default: TMPDIR or /tmp); /dev/shm leaves
# the disk out of the figures.
set -eu
cd "$(dirname "$0")/.."
LINNET=${1:-build/linnet}
ROWS=${2:-10000}
WORK=$(mktemp -d "${BENCH_DIR:-${TMPDIR:-/tmp}}/linnet-batch-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

awk -v n="$ROWS" 'BEGIN { print "Message"; for (i = 1; i <= n; i++) printf "LNT-%08d\n", i }' >"$WORK/rows.csv"
tail -n +2 "$WORK/rows.csv" >"$WORK/rows.txt"

now() { date +%s.%N; }

# Runs one command into a fresh folder; appends its rate in rows per second to the file $1.
once() {
  log=$1
  shift
  rm -rf "$WORK/out"
  mkdir -p "$WORK/out"
  start=$(now)
  "$@" >/dev/null
  end=$(now)
  files=$(find "$WORK/out" -type f | wc -l)
  if [ "$files" -ne "$ROWS" ]; then
    echo "$log: $files files for $ROWS rows" >&2
    exit 1
  fi
  echo "$start $end" | awk -v n="$ROWS" '{ printf "%.1f\n", n / ($2 - $1) }' >>"$WORK/$log"
}
median() { sort -n "$WORK/$1" | sed -n 2p; }

ours() { # ours LOG RESOLUTION WORKERS
  once "$1" "$LINNET" batch "$WORK/rows.csv" -o "$WORK/out/{row:06}.png" -b code128 --set ShowComment=false \
    --set RasterImageResolution="$2" -q -j "$3"
}
peer() { # peer LOG SCALE
  once "$1" zint -b 20 --scale="$2" --batch --filetype=png -i "$WORK/rows.txt" -o "$WORK/out/~~~~~~.png"
}
# The runs take turns, so that a change in the shared machine's speed falls on all of them.
for run in 1 2 3; do
  ours j1 150 1
  ours j2 150 2
  peer peer 1
  ours d1 300 1
  peer peer2 2
done
J1=$(median j1)
J2=$(median j2)
PEER=$(median peer)
D1=$(median d1)
PEER2=$(median peer2)

echo "rows: $ROWS Code 128 labels to PNG, labels per second (median of 3)"
echo "linnet batch -j 1 (150 dpi): $J1"
echo "linnet batch -j 2 (150 dpi): $J2"
echo "zint --batch:                $PEER"
echo "linnet batch -j 1 (300 dpi): $D1"
echo "zint --batch --scale=2:      $PEER2"
awk -v a="$J1" -v b="$J2" -v p="$PEER" -v d="$D1" -v q="$PEER2" 'BEGIN {
  printf "-j 1 / zint: %.2f (target >= 1); at 300 dpi / zint --scale=2: %.2f\n-j 2 / -j 1: %.2f (target >= 1.8)\n",
    a / p, d / q, b / a }'
