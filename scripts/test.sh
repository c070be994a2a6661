#!/bin/sh
# The whole test suite: formatting, the release build with g++, and the suite again under
# AddressSanitizer + UndefinedBehaviorSanitizer built with clang++, and the batch test (workers
# in parallel) under ThreadSanitizer.
set -e
cd "$(dirname "$0")/.."

echo "== formatting"
find src tests bench -name '*.h' -o -name '*.cpp' | xargs clang-format --dry-run --Werror

echo "== release build (g++) and tests"
./scripts/build.sh
ctest --test-dir build --output-on-failure -j2

command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
echo "== sanitizer build (clang++, ASan + UBSan) and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLINNET_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DLINNET_BENCH=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j2

echo "== ThreadSanitizer build (clang++) of linnet and the batch test, which runs it on many workers"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS=-O1 -DLINNET_SANITIZE_THREAD=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DLINNET_BENCH=OFF >/dev/null
cmake --build build-tsan --target linnet cli_batch_test
TSAN_OPTIONS=halt_on_error=1:exitcode=66 ctest --test-dir build-tsan -R '^cli_batch_test$' --output-on-failure
