#!/bin/sh
# clang-tidy (bug-prone and performance checks) over the sources; slow, so not part of CI.
set -e
cd "$(dirname "$0")/.."
[ -f build/compile_commands.json ] || ./scripts/build.sh
find src -name '*.cpp' | xargs -P2 -n4 clang-tidy -p build --quiet
