#!/bin/sh
# Whole-process start-up against the peer's command line (zint), one hyperfine run:
# a Code 128 label exported to PNG, and the symbol encoded and printed without drawing.
# Usage: bench/startup.sh [path/to/linnet]   (needs hyperfine and zint; scripts/install-deps.sh)
set -e
LINNET=${1:-build/linnet}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
MESSAGE=Linnet-12345
hyperfine -N --warmup 10 --runs 200 --export-markdown "$OUT/export.md" \
  "$LINNET export -b 5 -d $MESSAGE -o $OUT/ours.png" \
  "zint -b 20 -d $MESSAGE -o $OUT/peer.png"
hyperfine -N --warmup 10 --runs 200 --export-markdown "$OUT/encode.md" \
  "$LINNET encode -b 5 -d $MESSAGE" \
  "zint -b 20 -d $MESSAGE --dump"
cat "$OUT/export.md" "$OUT/encode.md"
