#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# into ./build-asan and runs it. Any finding fails: UBSan does not recover,
# ASan's leak check is on, and only the leaks listed (with their library) in
# tests/sanitizers/lsan.supp are accepted.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ccache-env.sh
# The benchmarks are left out: they run nothing the suite does not.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRW_SANITIZE=ON -DRW_BUILD_BENCH=OFF \
    "${LAUNCHER[@]}" >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
# No strict_string_checks: libxkbcommon-x11 strndup()s buffers that are not
# NUL-terminated, which strndup allows.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/../tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 900
