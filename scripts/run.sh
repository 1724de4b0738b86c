#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo data set in build/Data and starts the reader.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh
bash scripts/build.sh

if [ ! -f build/Data/VESKO3.C0 ]; then
    ./build/vesko3-tool demo --out build/Data
fi
./build/vesko3-tool info --data build/Data
