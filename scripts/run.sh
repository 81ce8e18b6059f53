#!/usr/bin/env bash
# Builds the viewer (and the probe) into build/ and starts it on the files given, or on the
# Newdos/80 demonstration disk.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target m1view m1view-probe
exec ./build/m1view "${@:-samples/demo-newdos80-40t-ds.dmk}"
