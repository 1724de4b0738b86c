#!/usr/bin/env bash
# Fails when a C++ file of the tree drifts from the checked-in .clang-format.
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format) ||
    { echo "clang-format is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    "$format" -i "${files[@]}"
    exit 0
fi
drifting=()
for f in "${files[@]}"; do
    "$format" --dry-run -Werror "$f" >/dev/null 2>&1 || drifting+=("$f")
done
if [ ${#drifting[@]} -gt 0 ]; then
    echo "not formatted as .clang-format says (scripts/check-format.sh --fix mends them):" >&2
    printf '  %s\n' "${drifting[@]}" >&2
    exit 1
fi
echo "formatting: ${#files[@]} files as .clang-format says"
