#!/bin/sh
# Builds the libFuzzer targets (clang, ASan + UBSan) in build-fuzz/ and runs each one for
# SECONDS (default 600) from its checked-in seed corpus, with the message dictionaries (the
# XML dictionary for the XML loader).
# New inputs go to build-fuzz/corpus/<target>; crashes, leaks, timeouts and out-of-memory
# reports to build-fuzz/findings/<target>. Exits non-zero when any target found something.
# The instrumented build runs several times slower than a release build: a timeout here is
# a finding when the input, replayed in a release build, still takes the better part of a
# second.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-600}
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache
[ $# -gt 0 ] && shift
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DLINNET_FUZZ=ON -DLINNET_TESTS=OFF -DLINNET_BENCH=OFF >/dev/null
cmake --build build-fuzz
TARGETS=${*:-$(cd fuzz && ls -d corpus/*/ | xargs -n1 basename)}
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
# The compound-file module lies beside the build's executables; the fonts' answers are not kept.
export LINNET_MODULE_DIR="$PWD/build-fuzz" LINNET_FONT_CACHE=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in $TARGETS; do
  work=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$work" "$findings"
  # The XML loader reads markup, every other target message text.
  case $target in
    xml_*) dict=fuzz/xml.dict ;;
    *) dict=fuzz/all.dict ;;
  esac
  echo "== $target: $SECONDS_EACH s"
  if ! build-fuzz/fuzz/"$target" "$work" "fuzz/corpus/$target" -dict="$dict" \
      -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -artifact_prefix="$findings/" -print_final_stats=1 2>"$findings/log"; then
    status=1
    echo "   finding in $findings:"; ls "$findings"
  fi
  grep -E "stat::number_of_executed_units|cov: |ft: " "$findings/log" | tail -3
done
exit $status
