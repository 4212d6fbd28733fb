#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs the whole test suite there. Any finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVA_ASAN_BUILD_DIR:-$root/build-asan}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DMORVA_SANITIZE=ON -DMORVA_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900
