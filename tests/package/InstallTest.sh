#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user of the installed program
# gets (both packages' parts): exactly the expected files, a valid desktop entry and software-centre metadata, icons
# of the sizes their folders promise, manual pages without formatting warnings, and programs
# that run from there and find the user's own data.
# Usage: InstallTest.sh BUILD_DIR APP_ID. Exit 77 (skipped) when a validator is missing.
set -euo pipefail
build="$1"
id="$2"
for tool in desktop-file-validate appstreamcli file man; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
prefix="$root/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

sizes="16 22 24 32 48 64 128 256 512"
expected="bin/vesko3
bin/vesko3-tool
share/applications/$id.desktop
share/doc/vesko3-demo-data/changelog.gz
share/doc/vesko3-demo-data/copyright
share/doc/vesko3/changelog.gz
share/doc/vesko3/copyright
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/vesko3-tool.1.gz
share/man/man1/vesko3.1.gz
share/metainfo/$id.metainfo.xml"
for name in A0 A1 A2 H0 H1 C0; do expected+=$'\n'"share/vesko3/Data/VESKO3.$name"; done
for size in $sizes; do expected+=$'\n'"share/icons/hicolor/${size}x${size}/apps/$id.png"; done
actual="$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)"
expected="$(echo "$expected" | LC_ALL=C sort)"
[ "$actual" = "$expected" ] || fail "installed files differ from the expected ones:"$'\n'"$(diff <(echo "$expected") <(echo "$actual") || true)"

for program in vesko3 vesko3-tool; do
    [ -x "$prefix/bin/$program" ] || fail "$program is not executable"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
appstreamcli validate-tree --no-net "$prefix" || fail "metainfo against the installed tree"
for size in $sizes; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    file "$png" | grep -q "PNG image data, $size x $size," || fail "icon of ${size}x$size: $(file -b "$png")"
done
for page in vesko3 vesko3-tool; do
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null || true)"
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

# The installed programs run, and the tool finds a data set in the user's data folder
# without being told where it is.
version="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/vesko3" --version 2>/dev/null)" || fail "vesko3 --version failed"
[ "$(head -n 1 <<<"$version")" = "vesko3 3.0" ] || fail "vesko3 --version printed: $version"
grep -q "GPL-3.0-or-later" <<<"$version" || fail "vesko3 --version names no licence: $version"
export XDG_DATA_HOME="$root/home/share" XDG_CONFIG_HOME="$root/home/config" XDG_DATA_DIRS="$root/none"
unset VESKO3_DATA
"$prefix/bin/vesko3-tool" demo --out "$XDG_DATA_HOME/vesko3/Data" --sutras 12 >/dev/null || fail "vesko3-tool demo"
info="$(cd "$root" && "$prefix/bin/vesko3-tool" info 2>&1)" || fail "vesko3-tool info: $info"
grep -qx "sutras: 12" <<<"$info" || fail "vesko3-tool info printed: $info"

[ "$failures" -eq 0 ] || exit 1
echo "installed tree of $id is complete and valid"
