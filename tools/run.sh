#!/usr/bin/env bash
# Builds Orvane (installing what the machine lacks) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target orvane kyloom32
exec ./build/bin/orvane "$@"
