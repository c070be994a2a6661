#!/bin/sh
# Release build of the library, `linnet`, tests and benchmarks into build/.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
