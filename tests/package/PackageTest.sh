#!/usr/bin/env bash
# Makes both Debian packages of a release build and checks them as a distribution and a new
# user would: lintian finds no error and no warning, the programs carry the hardening, and
# the packages unpacked into a temporary root (there is no container here) give a reader that
# starts from its desktop entry straight into the demo data; without any data, the first
# start offers the demo set, makes it and opens it; and the program run by root writes
# nothing into its own folder. Prints the lintian output and the package sizes, and leaves
# screenshots of both starts in the build folder.
# Usage: PackageTest.sh BUILD_DIR APP_ID. Exit 77 (skipped) when a tool is missing.
set -euo pipefail
build="$(cd "$1" && pwd)"
id="$2"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in cpack lintian readelf dpkg-deb Xvfb xdotool xwininfo import python3; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== packages"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/debs" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
program_deb="$(ls "$work"/debs/vesko3_*.deb)"
data_deb="$(ls "$work"/debs/vesko3-demo-data_*_all.deb)"
for deb in "$program_deb" "$data_deb"; do
    echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
done

echo "== lintian"
lintian --display-info --tag-display-limit 0 "$program_deb" "$data_deb" >"$work/lintian.log" 2>&1 || true
grep -v "running with root privileges" "$work/lintian.log" || true
if grep -Eq '^(E|W): ' "$work/lintian.log"; then fail "lintian reports errors or warnings"; fi

root="$work/root"
dpkg-deb -x "$program_deb" "$root"
dpkg-deb -x "$data_deb" "$root"
prefix="$root/usr"

echo "== hardening"
all_fortified=""
for program in vesko3 vesko3-tool; do
    binary="$prefix/bin/$program"
    readelf -hW "$binary" >"$work/header"
    readelf -lW "$binary" >"$work/segments"
    readelf -dW "$binary" >"$work/dynamic"
    readelf --dyn-syms -W "$binary" >"$work/symbols"
    grep -q 'Type:.*DYN' "$work/header" || fail "$program is not position-independent"
    grep -q 'GNU_RELRO' "$work/segments" || fail "$program has no read-only relocations"
    grep -Eq 'BIND_NOW|FLAGS.*NOW' "$work/dynamic" || fail "$program does not bind immediately"
    grep -q '__stack_chk_fail' "$work/symbols" || fail "$program has no stack protector"
    # As hardening-check does: a program that calls a libc function of the formatting or
    # string-copying kind unchecked was built without _FORTIFY_SOURCE (the mem* family and
    # reads into buffers of run-time size are checked only where the size is known).
    fortified="$(grep -Eo '__[a-z0-9_]+_chk' "$work/symbols" | grep -v '^__stack_chk' | sort -u | tr '\n' ' ' || true)"
    unchecked="$(grep -Eo ' (v?s?n?printf|v?fprintf|v?dprintf|st[rp]n?cpy|strn?cat|fgets|gets|wcs[a-z]*cpy|confstr)@' \
        "$work/symbols" | tr -d ' @' | sort -u | tr '\n' ' ' || true)"
    [ -z "$unchecked" ] || fail "$program calls unchecked: $unchecked"
    echo "$program: PIE, relro, bind now, stack protector, fortified calls: ${fortified:-none needed}"
    all_fortified+="$fortified"
done
[ -n "$all_fortified" ] || fail "no program calls a fortified function: built without _FORTIFY_SOURCE"

echo "== installed files"
for file in share/vesko3/Data/VESKO3.A0 share/vesko3/Data/VESKO3.C0 share/doc/vesko3/copyright \
    share/doc/vesko3/changelog.gz share/doc/vesko3-demo-data/copyright share/man/man1/vesko3.1.gz \
    share/man/man1/vesko3-tool.1.gz "share/applications/$id.desktop"; do
    [ -f "$prefix/$file" ] || fail "the packages do not install /usr/$file"
done

# The starts run on a virtual display, each as a new user with an empty home.
bash "$here/../../scripts/virtual-display.sh" bash "$here/InstalledStart.sh" "$root" "$id" "$work/homes" "$build" ||
    fail "the installed reader did not start as it should"

[ "$failures" -eq 0 ] || exit 1
echo "both packages build, pass lintian, carry the hardening and start a new user's reader"
