#!/usr/bin/env bash
# Renders the PNG sizes of the icon from vesko3.svg (needs rsvg-convert, Debian librsvg2-bin).
# Run it after changing the drawing; the PNGs are kept in the tree so that building needs no
# renderer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
for size in 16 22 24 32 48 64 128 256 512; do
    rsvg-convert -w "$size" -h "$size" "$here/vesko3.svg" -o "$here/vesko3-$size.png"
done
