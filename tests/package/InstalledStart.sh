#!/usr/bin/env bash
# The reader unpacked into ROOT (as /usr), started on the current display the way the desktop
# entry starts it, as new users: one with the demo data package installed, one with no data
# anywhere who makes the demo set in the first-start dialog. The test hooks are set and must
# be ignored; the program's own folder must stay untouched, also when root runs it.
# Usage: InstalledStart.sh ROOT APP_ID HOMES SHOT_DIR
set -euo pipefail
root="$1"
id="$2"
homes="$3"
shots="$4"
here="$(cd "$(dirname "$0")" && pwd)"
prefix="$root/usr"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The id of the first shown top-level window whose title starts with $1, or nothing (Qt
# keeps hidden windows of its own too).
window() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | grep -F "\"$1" | awk '{ print $1 }'); do
        if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return
        fi
    done
}
# Waits up to $2 seconds for such a window; prints its id.
await_window() {
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        local found
        found="$(window "$1")"
        if [ -n "$found" ]; then echo "$found"; return 0; fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
# Fails for every message box on the screen.
no_boxes() {
    local caption
    for caption in "확인" "에러" '베스코"'; do
        [ -z "$(window "$caption")" ] || fail "$1: a message box \"$caption\" is open"
    done
}

# The command of the desktop entry, run with the packages' programs first on the path.
command_line="$(sed -n 's/^Exec=//p' "$prefix/share/applications/$id.desktop")"
start() {
    local home="$1" dataDirs="$2"
    mkdir -p "$home"
    (
        cd "$home"
        env -i DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" HOME="$home" PATH="$prefix/bin:/usr/bin:/bin" \
            XDG_DATA_DIRS="$dataDirs" LANG=C.UTF-8 \
            VESKO3_TEST_CLOSE_MS=0 VESKO3_TEST_SEARCH=비구 $command_line >"$home/out.log" 2>&1
    ) &
    pid=$!
}
# Closes the reader as the window manager's close button would, and waits for it to end.
close_reader() {
    python3 "$here/close-window.py" "$1"
    local i
    for ((i = 0; i < 200; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$2: the reader did not close"
        kill "$pid"
    fi
    wait "$pid" || fail "$2: the reader ended with status $?"
}
# The reader keeps its place at close only when its data were loaded.
loaded_and_kept() {
    local home="$1" what="$2"
    [ -f "$home/.config/vesko3/reader-state.json" ] || fail "$what: the reader did not load its data"
    [ -f "$home/.config/vesko3/Vesko3.ini" ] || fail "$what: no settings in the user's configuration folder"
}

before="$(ls -la --time-style=full-iso "$prefix/bin")"

# A new user with both packages: straight into the demo data, from the data package's folder.
home="$homes/reader"
start "$home" "$root/usr/share"
if main="$(await_window "베스코 3" 60)"; then
    [ -z "$(window "데이터 폴더가 없습니다")" ] || fail "with the demo data package: a first-start dialog"
    sleep 6
    kill -0 "$pid" 2>/dev/null || fail "with the demo data package: the reader ended by itself"
    no_boxes "with the demo data package"
    import -window root "$shots/package-test-demo-data.png"
    close_reader "$main" "with the demo data package"
    loaded_and_kept "$home" "with the demo data package"
else
    fail "with the demo data package: no reader window ($(cat "$home/out.log"))"
fi

# A new user with no data anywhere: the first-start dialog makes the demo set.
home="$homes/first"
start "$home" "$homes/nothing"
if dialog="$(await_window "데이터 폴더가 없습니다" 60)"; then
    sleep 1
    import -window root "$shots/package-test-first-start.png"
    # Its default button makes the demo set.
    xdotool windowfocus --sync "$dialog" key Return
    if main="$(await_window "베스코 3" 120)"; then
        sleep 6
        no_boxes "after the first-start dialog"
        close_reader "$main" "after the first-start dialog"
        loaded_and_kept "$home" "after the first-start dialog"
        [ -f "$home/.local/share/vesko3/Data/VESKO3.C0" ] || fail "the demo set is not in the user's data folder"
    else
        fail "no reader window after the first-start dialog ($(cat "$home/out.log"))"
        kill "$pid" 2>/dev/null || true
    fi
else
    fail "no first-start dialog ($(cat "$home/out.log"))"
    kill "$pid" 2>/dev/null || true
fi

after="$(ls -la --time-style=full-iso "$prefix/bin")"
[ "$before" = "$after" ] || fail "the reader run by $(id -un) changed its own folder:"$'\n'"$after"

[ "$failures" -eq 0 ]
