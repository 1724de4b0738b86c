#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, the core tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzzer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh

echo "== formatting"
bash scripts/check-format.sh

bash scripts/build.sh

echo "== tests"
ctest_log="$(mktemp)"
trap 'rm -f "$ctest_log"' EXIT
ctest_status=0
ctest --test-dir build --output-on-failure -j2 | tee "$ctest_log" || ctest_status=$?
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$ctest_log")
failed=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$ctest_log")
skipped=$(grep -c '(Skipped)' "$ctest_log" || true)
summary="tests: $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
# A failed run ends here, but still with its counts.
if [ "$ctest_status" -ne 0 ]; then
    echo "$summary"
    exit "$ctest_status"
fi

echo "== core tests under the sanitizers"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVESKO3_SANITIZE=ON \
      -DVESKO3_BUILD_UI=OFF -DVESKO3_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ./build-sanitize/core_tests --gtest_brief=1

if [ -d fuzz ] && ls fuzz/*.cpp >/dev/null 2>&1; then
    echo "== fuzzers (short run)"
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DVESKO3_FUZZ=ON -DVESKO3_BUILD_UI=OFF >/dev/null
    cmake --build build-fuzz
    for target in build-fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        corpus="build-fuzz/corpus-$(basename "$target")"
        mkdir -p "$corpus"
        "$target" "$corpus" -max_total_time="${VESKO3_FUZZ_SECONDS:-15}" -print_final_stats=0 2>&1 | tail -n 1
    done
fi

echo "$summary"
