#!/bin/sh
# Release build of the library, `linnet`, tests and benchmarks into build/.
set -e
cd "$(dirname "$0")/.."
# A compiler cache, where the machine has one, makes rebuilds of a fresh clone cheap.
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
