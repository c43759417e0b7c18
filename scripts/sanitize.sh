#!/usr/bin/env bash
# Builds everything in build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer
# (a debug build, no benchmarks) and runs every test there. Any memory error, leak or
# undefined behaviour stops the test it happens in and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTALLYMAR_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
cd build-asan
ctest --output-on-failure -j"$(nproc)"
