#!/bin/sh
# Whole-process start-up against the peer's command line (zint), one hyperfine run each:
# - the same label both ways: Code 128 with its text and no comment, the module 2 pixels wide
#   (ours at 150 dpi with the 13-mil module, zint at scale 1), written as PNG;
# - our label as it comes (300 dpi, with the comment of a new control), for reference;
# - the symbol encoded and printed without drawing.
# Fontconfig's answers are kept between processes (the warm-up runs fill the cache), as they
# are for any user after the first label.
# Usage: bench/startup.sh [path/to/linnet]   (needs hyperfine and zint; scripts/install-deps.sh)
set -e
LINNET=${1:-build/linnet}
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
MESSAGE=Linnet-12345
SAME="--set RasterImageResolution=150 --set ShowComment=false"
hyperfine -N --warmup 10 --runs 300 --export-markdown "$OUT/export.md" --export-json "$OUT/export.json" \
  "$LINNET export -b 5 -d $MESSAGE $SAME -o $OUT/ours.png" \
  "zint -b 20 -d $MESSAGE -o $OUT/peer.png" \
  "$LINNET export -b 5 -d $MESSAGE -o $OUT/default.png"
hyperfine -N --warmup 10 --runs 300 --export-markdown "$OUT/encode.md" --export-json "$OUT/encode.json" \
  "$LINNET encode -b 5 -d $MESSAGE" \
  "zint -b 20 -d $MESSAGE --dump"
cat "$OUT/export.md" "$OUT/encode.md"
# The means above move with the shared machine's outliers; the medians less so.
python3 - "$OUT/export.json" "$OUT/encode.json" <<'PY'
import json, sys
for path, what in zip(sys.argv[1:], ["export (same label / default label)", "encode"]):
    medians = [r["median"] for r in json.load(open(path))["results"]]
    print(what + ": ours / peer by medians " + " / ".join(f"{m / medians[1]:.2f}" for m in medians if m is not medians[1]))
PY
