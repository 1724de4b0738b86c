#!/usr/bin/env bash
# Installs every Debian package that building, testing and running need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev libbz2-dev
    clang-14 libclang-rt-14-dev clang-format-14
    libhangul-data unicode-data bzip2
    fonts-unfonts-core fonts-noto-cjk fonts-hanazono qt6-translations-l10n
    xvfb xauth x11-apps x11-utils imagemagick
    desktop-file-utils appstream librsvg2-bin dpkg-dev file man-db
    # The package test: the Debian policy checker, and keys typed into the installed window.
    lintian xdotool python3
    # The accessibility test: the AT-SPI registry and its Python binding on a private bus.
    at-spi2-core gir1.2-atspi-2.0 python3-gi dbus
    # For the benchmarks only (bench/search-process.sh): the yardstick and the CPU clock.
    ripgrep time
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
