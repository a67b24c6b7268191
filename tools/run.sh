#!/usr/bin/env bash
# Builds Orvane and the kyloom command (installing what the machine lacks) and starts Orvane.
# It configures build/ exactly as tools/test.sh does, and builds only the two programs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/build_options.sh
cmake -S . -B build "${ORVANE_CMAKE_OPTIONS[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target orvane kyloom
exec ./build/bin/orvane "$@"
