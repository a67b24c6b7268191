#!/usr/bin/env bash
# Kills the real program at random moments of its closing save, KILLS times (default 300), and
# prints how often murvelin.ini or alarms32.rec was left partial or mixed and how many temporary
# files the kills left and the next start removed. Needs build/tests/test_e2e and Xvfb.
# Usage: bash bench/robustness/kill_during_save.sh [KILLS] [BUILD_DIR]
set -euo pipefail
kills="${1:-300}"
build="${2:-build}"
ORVANE_KILLS="$kills" SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tests/test_e2e" --gtest_filter='KillDuringSave.*' | grep -v 'no running clock answered'
