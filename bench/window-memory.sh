#!/usr/bin/env bash
# Peak memory of the real window (offscreen, started fresh, closed by itself once loaded)
# against the size of the six data files it reads:
#   the shared corpus's data set            the figure that matters
#   the demo data set (a few sutras)        Qt's and the window's own share, nearly no data
#   the corpus with a search run inside     what a search adds
# The data's share is the corpus run less the demo run. Each figure is the median maximum
# resident set of several runs, from /usr/bin/time.
#
# Usage: bench/window-memory.sh [BUILD_DIR] [RUNS]   (default: build, 5 runs)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-5}"
# The window with the test hooks that close it once loaded and type the search words.
program="$build/vesko3-test-window"
tool="$build/vesko3-tool"
corpus="$root/../shared/corpus/agama"
for need in "$program" "$tool" /usr/bin/time; do
    [ -x "$need" ] || { echo "missing $need" >&2; exit 1; }
done
[ -d "$corpus/sinsu" ] || { echo "no shared corpus at $corpus" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$tool" build --from "$corpus" --out "$work/corpus" >/dev/null 2>&1
"$tool" demo --out "$work/demo" --sutras 3 >/dev/null 2>&1

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bytes() { cat "$1"/* | wc -c; }

# Peak resident kilobytes of one run of the window over data folder $1; $2 are search words.
peakOnce() {
    local config status
    config="$(mktemp -d -p "$work")"
    status="$(mktemp -p "$work")"
    QT_QPA_PLATFORM=offscreen VESKO3_DATA="$1" XDG_CONFIG_HOME="$config" VESKO3_TEST_CLOSE_MS=0 \
        VESKO3_TEST_SEARCH="${2:-}" /usr/bin/time -f %M -o "$status" "$program" --fresh >/dev/null 2>&1 ||
        { echo "the window failed over $1" >&2; exit 1; }
    cat "$status"
}
peak() {
    local i
    for ((i = 0; i < runs; i++)); do peakOnce "$@"; done | median
}

# Korean words, for the search sheet starts on the Korean edition.
words="세존 비구 사위국 아난 열반 사리불"
corpusBytes="$(bytes "$work/corpus")"
demoBytes="$(bytes "$work/demo")"
corpusPeak="$(peak "$work/corpus")"
demoPeak="$(peak "$work/demo")"
searchPeak="$(peak "$work/corpus" "$words")"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); median of $runs runs"
awk -v cb="$corpusBytes" -v db="$demoBytes" -v cp="$corpusPeak" -v dp="$demoPeak" -v sp="$searchPeak" 'BEGIN {
    mb = 1000 * 1000
    printf "%-34s %9s %9s %7s\n", "case", "peak MB", "files MB", "ratio"
    printf "%-34s %9.1f %9.1f %6.2fx\n", "window, corpus", cp * 1024 / mb, cb / mb, cp * 1024 / cb
    printf "%-34s %9.1f %9.1f %6.2fx\n", "window, demo set", dp * 1024 / mb, db / mb, dp * 1024 / db
    printf "%-34s %9.1f %9.1f %6.2fx\n", "  data share (corpus - demo)", (cp - dp) * 1024 / mb, (cb - db) / mb,
        (cp - dp) * 1024 / (cb - db)
    printf "%-34s %9.1f %9.1f %6.2fx\n", "window, corpus, then a search", sp * 1024 / mb, cb / mb, sp * 1024 / cb
    printf "%-34s %9.1f\n", "  the search adds", (sp - cp) * 1024 / mb
}'
