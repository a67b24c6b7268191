#!/usr/bin/env bash
# Kills the real program inside its closing save until KILLS kills (default 300) have landed
# inside one, and prints how often murvelin.ini or alarms32.rec was left partial or mixed and
# how many temporary files the kills left and the next start removed. Whether a kill landed
# inside the save is told by an inotify watch on the program's folder (kill_during_save.py).
# Needs build/bin/orvane and Xvfb.
# Usage: bash bench/robustness/kill_during_save.sh [KILLS] [BUILD_DIR]
set -euo pipefail
kills="${1:-300}"
build="${2:-build}"
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
  python3 "$(dirname "$0")/kill_during_save.py" "$kills" "$build"
