#!/usr/bin/env bash
# The real window read as a screen reader reads it: started on a virtual display with a
# private session bus and the accessibility bridge on, walked through AT-SPI.
# Usage: ScreenReaderTest.sh WINDOW_PROGRAM TOOL_PROGRAM   (exit 77: the tools are missing)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
window="$1"
tool="$2"

python=/usr/bin/python3
for command in Xvfb dbus-run-session "$python"; do
    command -v "$command" >/dev/null || { echo "SKIP: $command is not installed"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "SKIP: the AT-SPI binding for Python (gir1.2-atspi-2.0, python3-gi) is not installed"; exit 77; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program"
cp "$window" "$work/program/vesko3"
"$tool" demo --out "$work/program/Data" >/dev/null

bash "$root/scripts/virtual-display.sh" dbus-run-session -- "$python" "$here/read_window.py" \
    "$work/program/vesko3" "$tool" "$work/config"
