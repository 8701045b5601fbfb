#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into ./build-fuzz and runs each on
# a copy of its seed corpus (fuzz/corpus/<name>) for FUZZ_SECONDS (60)
# seconds. Fails on the first finding (a crash, a sanitizer report, a leak
# or a timeout); the input that caused it is left in build-fuzz/findings.
#
# Usage: scripts/fuzz.sh [TARGET...]   (default: every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(pe_version profile line_index strings wildcard ncdu_export)

. scripts/ccache-env.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DBUILD_TESTING=OFF "${LAUNCHER[@]}" >/dev/null
ninja -C build-fuzz "${targets[@]/%/_fuzzer}"

mkdir -p build-fuzz/findings
status=0
for t in "${targets[@]}"; do
    work="build-fuzz/corpus/$t"
    mkdir -p "$work"
    cp -n fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
    echo "fuzz: $t for ${seconds}s"
    # Leaks count as findings; the profile target writes its file under TMPDIR.
    if ! TMPDIR="$PWD/build-fuzz" ASAN_OPTIONS=detect_leaks=1 \
         UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
         build-fuzz/fuzz/"${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -print_final_stats=1 -artifact_prefix=build-fuzz/findings/"$t"- "$work" \
         >"build-fuzz/$t.log" 2>&1; then
        echo "fuzz: $t found a fault (see build-fuzz/$t.log and build-fuzz/findings)"
        tail -n 40 "build-fuzz/$t.log"
        status=1
    fi
    grep -E '^stat::number_of_executed_units' "build-fuzz/$t.log" | sed "s/^/fuzz: $t /" || true
done
exit $status
