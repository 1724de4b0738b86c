#!/usr/bin/env bash
# What the user waits for on the command line, against tools that only read the bytes:
#   vesko3-tool search --canon 3 with 20 words  vs  rg -c -e w1 ... -e w20 over the two
#     Chinese editions as UTF-8 text (the corpus's own source files, one file per edition)
#   the same with 20 absent words made of common characters
#   vesko3-tool info                            vs  cat of the six data files
# Each figure is the median CPU time (user + system, from the shell's child times) of
# several runs, with the fastest and the slowest run after it; the ratios are taken within
# this one run, and "worst" is the tool's slowest run against its median. The peak memory of the tool's
# search is its maximum resident set against the six files' size, and the minor page faults
# count the pages each process first touched. When the benchmark programs are built beside
# the tool, the in-process split of the search follows.
#
# Usage: bench/search-process.sh [BUILD_DIR] [RUNS]   (default: build, 11 runs; the corpus is
# looked for beside the checkout unless VESKO3_CORPUS_DIR names it)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-11}"
tool="$build/vesko3-tool"
corpus="${VESKO3_CORPUS_DIR:-$root/../shared/corpus/agama}"
for need in "$tool" /usr/bin/time; do
    [ -x "$need" ] || { echo "missing $need" >&2; exit 1; }
done
command -v rg >/dev/null || { echo "missing rg (scripts/install-deps.sh installs it)" >&2; exit 1; }
[ -d "$corpus/sinsu" ] || { echo "no shared corpus at $corpus" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$tool" build --from "$corpus" --out "$work/data" >/dev/null 2>&1
cat "$corpus"/kor/*.txt >"$work/kor.txt"
cat "$corpus"/sinsu/*.txt >"$work/sinsu.txt"
cd "$work"
data=(data/*)

# Words that occur, and pairs of common characters that never stand together (not even
# through a variant form), so that only the scan's first-character filter can be at work.
words=(世尊 比丘 舍衛國 祇樹給孤獨園 阿難 佛告 涅槃 眾生 弟子 婆羅門
    說法 歡喜奉行 精進 解脫 如是我聞 須陀洹 波斯匿王 舍利弗 目揵連 優婆塞)
absent=(不所 如得 有丘 我彼 無於 所此 尊羅 比有 世知 諸是
    一復 佛我 於者 人比 已法 知聞 何尊 若何 善世 復佛)
rgArgs() { for w in "$@"; do printf -- '-e\n%s\n' "$w"; done; }
mapfile -t rgWords < <(rgArgs "${words[@]}")
mapfile -t rgAbsent < <(rgArgs "${absent[@]}")

# CPU milliseconds of one run of the command: the children's user and system times that
# the shell's `times` reports (to the millisecond).
cpuOnce() {
    local line
    line="$( ("$@" >/dev/null 2>&1 || true; times) | tail -n 1)"
    awk -v l="$line" 'BEGIN {
        n = split(l, f, /[ ms]+/); t = 0
        for (i = 1; i + 1 <= n; i += 2) if (f[i] != "" || f[i + 1] != "") t += f[i] * 60 + f[i + 1]
        printf "%.1f\n", t * 1000 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# "median min max" of the runs.
spread() { sort -n | awk '{ v[NR] = $1 } END { print ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'; }

cpu() {
    local i
    for ((i = 0; i < runs; i++)); do cpuOnce "$@"; done | spread
}

peakKiB() {
    local i
    for ((i = 0; i < 3; i++)); do
        /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1 || true
        cat "$work/rss"
    done | median
}

# Minor page faults of one run: every page a process first touches costs one.
faults() {
    /usr/bin/time -f %R -o "$work/faults" "$@" >/dev/null 2>&1 || true
    cat "$work/faults"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.2f" : "n/a"), a / b }'; }

# Warm the page cache and check the two sides agree on what they search.
"$tool" search --data data --canon 3 "${words[@]}" | tail -n 1 | sed 's/^/search hits: /'
rg -c "${rgWords[@]}" kor.txt sinsu.txt | tr '\n' ' ' | sed 's/^/rg matching lines: /;s/$/\n/'
cat "${data[@]}" >/dev/null

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $runs runs each, medians (CPU ms)"
# One line: the tool's figures, the yardstick's, the ratio of the medians and the worst run.
compare() {
    local label="$1" yardstick="$2" tool toolMin toolMax other otherMin otherMax
    read -r tool toolMin toolMax <<<"$3"
    read -r other otherMin otherMax <<<"$4"
    echo "$label tool $tool ($toolMin-$toolMax)  $yardstick $other ($otherMin-$otherMax)" \
        " ratio $(ratio "$tool" "$other")  worst $(ratio "$toolMax" "$tool")"
}
searchRuns="$(cpu "$tool" search --data data --canon 3 "${words[@]}")"
compare "search 20 words: " rg "$searchRuns" "$(cpu rg -c "${rgWords[@]}" kor.txt sinsu.txt)"
compare "search 20 absent:" rg "$(cpu "$tool" search --data data --canon 3 "${absent[@]}")" \
    "$(cpu rg -c "${rgAbsent[@]}" kor.txt sinsu.txt)"
infoRuns="$(cpu "$tool" info --data data)"
compare "info:            " cat "$infoRuns" "$(cpu cat "${data[@]}")"
search="${searchRuns%% *}"
info="${infoRuns%% *}"
echo "search minus info (index, scan, list): $(awk -v a="$search" -v b="$info" 'BEGIN { printf "%.1f", a - b }') ms"

bytes=$(cat "${data[@]}" | wc -c)
peak=$(peakKiB "$tool" search --data data --canon 3 "${words[@]}")
peakInfo=$(peakKiB "$tool" info --data data)
echo "peak memory: search $((peak / 1024)) MiB, info $((peakInfo / 1024)) MiB, six files $((bytes / 1048576)) MiB;" \
    "search/files $(ratio "$((peak * 1024))" "$bytes")"
echo "minor page faults: search $(faults "$tool" search --data data --canon 3 "${words[@]}")," \
    "info $(faults "$tool" info --data data), cat $(faults cat "${data[@]}"), six files $((bytes / 4096)) pages"

# The split inside one process, from the benchmark programs (CPU medians).
if [ -x "$build/bench_Load" ] && [ -x "$build/bench_Search" ]; then
    benchCpu() {
        "$1" --benchmark_filter="$2" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
            --benchmark_format=csv 2>/dev/null | awk -F, '/_median"/ { gsub(/"/, "", $1); printf "%s %.2f\n", $1, $4 }'
    }
    echo "in-process split (CPU ms):"
    benchCpu "$build/bench_Load" '^BM_(ReadCorpusBytes|LoadCorpus|LoadCorpusInPlace)$' | sed 's/^/  /'
    benchCpu "$build/bench_Search" '^PrepareSearch/corpus(/index_canon3)?$' | sed 's/^/  /'
    benchCpu "$build/bench_Search" '^Scan/corpus/canon3/words20/variants/any/fast(_one_thread)?(/real_time)?$' | sed 's/^/  /'
fi
