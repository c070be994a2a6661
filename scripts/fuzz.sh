#!/bin/sh
# Builds the libFuzzer targets with clang and the sanitizers in build-fuzz/ and runs each for
# a fixed time from its seed corpus. Usage: scripts/fuzz.sh [SECONDS]
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLINNET_SANITIZE=ON -DLINNET_FUZZ=ON \
  -DLINNET_TESTS=OFF -DLINNET_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
for source in fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  cmake --build build-fuzz --target "$name" -j2
  seeds=fuzz/corpus/${name%_fuzz}
  work=build-fuzz/corpus/${name%_fuzz}
  mkdir -p "$work"
  "build-fuzz/fuzz/$name" -max_total_time="$SECONDS_EACH" -max_len=4096 "$work" "$seeds"
done
