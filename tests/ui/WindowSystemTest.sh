#!/usr/bin/env bash
# What an X server gets from the reader: the titles of its window and of its message boxes
# exactly as captioned (Qt's X11 platform appends an application display name to every
# title), and a minimum size the screen can hold at 200 % scale.
# Usage: WindowSystemTest.sh SOURCE_DIR PROGRAM TOOL [SHOT_DIR]
# Runs on a virtual display of its own; exits 77 when the X tools it needs are missing.
set -euo pipefail
source_dir="$1"
program="$2"
tool="$3"
shots="${4:-}"

for needed in Xvfb xprop xwininfo python3; do
    command -v "$needed" >/dev/null || { echo "skipped: $needed is not installed"; exit 77; }
done
if [ -z "${VESKO3_ON_VIRTUAL_DISPLAY:-}" ]; then
    VESKO3_ON_VIRTUAL_DISPLAY=1 exec bash "$source_dir/scripts/virtual-display.sh" bash "$0" "$@"
fi

work="$(mktemp -d)"
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C.UTF-8

# The title the window system shows for window $1.
title() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}
# The shown top-level windows, one id a line (Qt keeps hidden windows of its own too).
shown_windows() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
    return 0
}
# Waits up to 30 s for a shown window titled exactly $1 and prints its id; on failure names the
# titles on show.
await_title() {
    local i id seen
    for ((i = 0; i < 300; i++)); do
        seen=
        for id in $(shown_windows); do
            if [ "$(title "$id")" = "$1" ]; then
                echo "$id"
                return 0
            fi
            seen="$seen \"$(title "$id")\""
        done
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "no window \"$1\"; on show:${seen:- nothing}" >&2
    return 1
}
shoot() {
    [ -z "$shots" ] || import -window root "$shots/$1.png" 2>/dev/null || true
}
# Starts the reader over data folder $1, with the environment's further settings.
start() {
    env -u VESKO3_TEST_CLOSE_MS -u VESKO3_TEST_SEARCH QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
        "$program" --data "$1" --fresh >"$work/out.log" 2>&1 &
    pid=$!
}
# Closes window $1 as the window manager's close button would.
close() {
    python3 "$source_dir/tests/package/close-window.py" "$1"
}
# Ends a reader left in an unexpected state.
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}
# Waits for the reader to end by itself with status 0.
await_end() {
    local i
    for ((i = 0; i < 300; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$1: the reader did not end"
        kill "$pid"
    fi
    wait "$pid" || fail "$1: the reader ended with status $?"
    pid=
}

"$tool" demo --out "$work/data" --sutras 40 >/dev/null

# A damaged data file: the main window, the loader's box and the refusal, each as captioned.
cp -r "$work/data" "$work/damaged"
printf 'not a data file' >"$work/damaged/VESKO3.A2"
start "$work/damaged"
if main="$(await_title "베스코 3  (2007.11.05 버전)")"; then
    if box="$(await_title "에러")"; then
        shoot window-system-error
        close "$box"
        if box="$(await_title "확인")"; then
            close "$box"
            await_end "a damaged file"
        else
            fail "a damaged file: no box \"확인\""
        fi
    else
        fail "a damaged file: no box \"에러\""
    fi
else
    fail "a damaged file: no main window titled as captioned"
fi
stop

# A missing data file: its box, then the dialog captioned with the application title.
cp -r "$work/data" "$work/missing"
rm "$work/missing/VESKO3.C0"
start "$work/missing"
if box="$(await_title "확인")"; then
    close "$box"
    if box="$(await_title "베스코")"; then
        shoot window-system-unusable
        close "$box"
        await_end "a missing file"
    else
        fail "a missing file: no dialog \"베스코\""
    fi
else
    fail "a missing file: no box \"확인\""
fi
stop

# At 200 % the minimum fits the screen, so that the window system can fit the window there;
# a 800 x 600 minimum at that scale does not.
read -r screen_width screen_height < <(xwininfo -root | awk '/^ +Width:/ { w = $2 } /^ +Height:/ { h = $2 } END { print w, h }') || true
QT_SCALE_FACTOR=2 start "$work/data"
if main="$(await_title "베스코 3  (2007.11.05 버전)")"; then
    sleep 1
    shoot window-system-scaled
    read -r minimum_width minimum_height < <(xprop -id "$main" WM_NORMAL_HINTS |
        sed -n 's/.*program specified minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p') || true
    [ "${minimum_width:-0}" -le "$screen_width" ] && [ "${minimum_height:-0}" -le "$screen_height" ] ||
        fail "at 200 %: minimum ${minimum_width:-?} x ${minimum_height:-?} on a $screen_width x $screen_height screen"
    close "$main"
    await_end "at 200 %"
else
    fail "at 200 %: no main window"
fi
stop

[ "$failures" -eq 0 ] || { cat "$work/out.log"; exit 1; }
echo "the window system got every title and size as meant"
