#!/usr/bin/env bash
# Builds Orvane and every test (installing what the machine lacks) and runs them all: unit and
# widget tests directly, X11 and end-to-end tests under a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_BUILD_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
export SDL_AUDIODRIVER=dummy
export ORVANE_NO_MESSAGE_BOXES=1
cd build
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 300 "$@"
