#!/usr/bin/env bash
# Runs COMMAND... on a virtual X display of its own and ends the display afterwards.
# The server chooses the display number itself (-displayfd), so it never shares one with
# another server: a lock file in a private /tmp does not show a display another process
# already listens on, and guessing a number from lock files (xvfb-run -a) can then pick it.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }

ready="$(mktemp)"
# -noreset: a server resets whenever its last client leaves, and refuses connections while
# it does, so a program started just as another one closes would find no display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$ready" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$ready"' EXIT

# The server writes its display number once it listens.
for _ in $(seq 1 200); do
    [ -s "$ready" ] && break
    kill -0 "$server" 2>/dev/null || { echo "$0: the virtual display did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$ready" ] || { echo "$0: the virtual display did not start in 10 s" >&2; exit 1; }
DISPLAY=":$(tr -d '[:space:]' <"$ready")"
export DISPLAY
unset XAUTHORITY

status=0
"$@" || status=$?
exit "$status"
