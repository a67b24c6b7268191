#!/usr/bin/env bash
# Orvane beside its peers on one private Xvfb with openbox:
#  1. idle: Orvane with the voice off, Orvane after one spoken time, `xclock -update 1` and a
#     bare Qt window run side by side; over SECONDS each one's CPU time per minute and wake-ups
#     per second over all its threads (from /proc/PID/task/*/schedstat: time on the CPU and
#     times scheduled in), min/median/max over IDLE_ROUNDS rounds, then Orvane's wake-ups per
#     thread;
#  2. start to map: milliseconds from the start to the first mapped window, Orvane, the bare Qt
#     window and xclock taken in turn, ROUNDS rounds;
#  3. memory: PSS, resident and private memory of Orvane, the bare Qt window and xclock, each
#     alone, 10 s after the start, MEM_ROUNDS rounds (3 unless set); then Orvane's after every
#     window has been opened and closed, with the windows that can be open together open, and
#     right after one spoken time (bench/compare_memory.sh);
#  4. typing: bench/kyloom_type/run.sh (kyloom against xdotool), unless SKIP_TYPING=1.
# ONLY=memory (or any comma-separated list of idle, map, memory, typing) runs only those sections.
# MEM_SHOTS=DIR keeps a screenshot of the memory section's open windows (and of a failure) there.
#   bench/compare_idle.sh [BUILD_DIR] [SECONDS] [ROUNDS] [IDLE_ROUNDS]
set -euo pipefail

build=${1:-build}
seconds=${2:-60}
rounds=${3:-10}
idle_rounds=${4:-3}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
orvane=$build/bin/orvane
bare=$build/bin/bench_bare_qt
map_time=$build/bin/bench_map_time

# Whether section $1 is to run: all of them unless ONLY names some.
want() { [ -z "${ONLY:-}" ] || [[ ",$ONLY," == *",$1,"* ]]; }

if [ "${COMPARE_INNER:-}" != 1 ]; then
  for tool in "$orvane" "$bare" "$map_time"; do
    [ -x "$tool" ] || { echo "compare_idle.sh: $tool is not built" >&2; exit 1; }
  done
  tools="xclock openbox xvfb-run xprop"
  want memory && tools+=" xdotool import"
  for tool in $tools; do
    command -v "$tool" >/dev/null || { echo "compare_idle.sh: $tool is not installed (tools/setup.sh)" >&2; exit 1; }
  done
  COMPARE_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$seconds" "$rounds" "$idle_rounds"
  if want typing && [ "${SKIP_TYPING:-}" != 1 ]; then
    want idle || want map || want memory && echo
    echo "== typing 2,000 mixed characters"
    "$here/kyloom_type/run.sh" "$build" 2000 "$rounds"
  fi
  exit 0
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done

# Orvane in a home of its own, so that two can run at once: NAME, Play Voice, UseHotKey.
orvane_env() {
  local name=$1 voice=$2 hotkey=$3 home=$work/$1
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  [ -f "$home/murvelin.ini" ] || printf '[Voice]\nPlay Voice=%s\nUseHotKey=%s\n' "$voice" "$hotkey" > "$home/murvelin.ini"
  echo "ORVANE_HOME=$home XDG_RUNTIME_DIR=$home/run ORVANE_CLOCK_START=2024-03-04T10:01:05" \
       "ORVANE_SOUND_LOG=$home/sound.log SDL_AUDIODRIVER=dummy ORVANE_NO_MESSAGE_BOXES=1"
}

# One line per thread of PID: "tid name nanoseconds-on-cpu times-scheduled where-it-waits".
snapshot() {
  local pid=$1 task ns wait count
  for task in /proc/"$pid"/task/*; do
    read -r ns wait count < "$task/schedstat" 2>/dev/null || continue
    echo "${task##*/} $(tr ' ' '_' < "$task/comm" 2>/dev/null || echo '?') $ns $count $(cat "$task/wchan" 2>/dev/null || echo '?')"
  done
}

# Differences between two snapshots, per thread: "name ms-on-cpu wake-ups tid wait-channel".
per_thread() {
  awk 'NR == FNR { ns[$1] = $3; n[$1] = $4; next }
       { printf "%s %.3f %d %s %s\n", $2, ($3 - ns[$1]) / 1e6, $4 - n[$1], $1, $5 }' "$1" "$2"
}

median_of() { sort -n | awk '{v[NR] = $1} END {printf "%s %s %s", v[1], v[int((NR + 1) / 2)], v[NR]}'; }

if want idle; then
  names=(orvane-voice-off orvane-after-speech xclock bare-qt)
  declare -A cpu=() wakes=()
  for round in $(seq "$idle_rounds"); do
    declare -A pid_of=()
    env $(orvane_env orvane-voice-off 0 1) "$orvane" > "$work/off.out" 2>&1 &
    pid_of[orvane-voice-off]=$!
    env $(orvane_env orvane-after-speech 1 0) "$orvane" > "$work/speech.out" 2>&1 &
    pid_of[orvane-after-speech]=$!
    xclock -update 1 2>/dev/null &
    pid_of[xclock]=$!
    "$bare" 2>/dev/null &
    pid_of[bare-qt]=$!
    pids+=("${pid_of[@]}")
    sleep 5
    # One spoken time, asked for as a user would; the idle stretch starts once it has been said
    # and the sound device has had its few seconds to close.
    : > "$work/orvane-after-speech/sound.log"
    env $(orvane_env orvane-after-speech 1 0) "$orvane" --announce
    for _ in $(seq 100); do [ "$(wc -l < "$work/orvane-after-speech/sound.log")" -ge 2 ] && break; sleep 0.1; done
    sleep 10
    for name in "${names[@]}"; do snapshot "${pid_of[$name]}" > "$work/$name.before"; done
    sleep "$seconds"
    for name in "${names[@]}"; do snapshot "${pid_of[$name]}" > "$work/$name.after"; done
    for name in "${names[@]}"; do
      per_thread "$work/$name.before" "$work/$name.after" > "$work/$name.threads.$round"
      read -r ms n < <(awk '{ms += $2; n += $3} END {print ms, n}' "$work/$name.threads.$round")
      cpu[$name]="${cpu[$name]:-} $(awk "BEGIN {printf \"%.1f\", $ms * 60 / $seconds}")"
      wakes[$name]="${wakes[$name]:-} $(awk "BEGIN {printf \"%.2f\", $n / $seconds}")"
    done
    spoken=$(grep -c played "$work/orvane-after-speech/sound.log" || true)
    echo "idle round $round: $seconds s side by side; the announcement played $spoken snippets" >&2
    for name in "${names[@]}"; do kill "${pid_of[$name]}" 2>/dev/null || true; done
    for name in "${names[@]}"; do wait "${pid_of[$name]}" 2>/dev/null || true; done
    unset pid_of
  done

  echo "== idle, $seconds s side by side, $idle_rounds rounds (min / median / max)"
  printf "%-22s %28s %28s\n" program "CPU ms per minute" "wake-ups per second"
  for name in "${names[@]}"; do
    printf "%-22s %28s %28s\n" "$name" \
      "$(tr ' ' '\n' <<<"${cpu[$name]}" | grep . | median_of)" \
      "$(tr ' ' '\n' <<<"${wakes[$name]}" | grep . | median_of)"
  done
  for name in orvane-voice-off orvane-after-speech; do
    echo
    echo "-- $name, last round, per thread: name, CPU ms, wake-ups per second, thread id, waiting in"
    awk -v s="$seconds" '{printf "   %-18s %8.2f %8.2f %8s %s\n", $1, $2, $3 / s, $4, $5}' "$work/$name.threads.$idle_rounds" | sort -k3 -n -r
  done
fi

if want map; then
  echo
  echo "== start to first mapped window, $rounds rounds each (ms, min / median / max)"
  declare -A maps=()
  for round in $(seq "$rounds"); do
    rm -rf "$work/map"
    maps[orvane]="${maps[orvane]:-} $(env $(orvane_env map 0 1) "$map_time" "$orvane" 2>/dev/null)"
    maps[bare-qt]="${maps[bare-qt]:-} $("$map_time" "$bare" 2>/dev/null)"
    maps[xclock]="${maps[xclock]:-} $("$map_time" xclock -update 1 2>/dev/null)"
  done
  for name in orvane bare-qt xclock; do
    printf "%-22s %28s\n" "$name" "$(tr ' ' '\n' <<<"${maps[$name]}" | grep . | median_of)"
  done
fi

if want memory; then
  want idle || want map && echo
  # shellcheck source=bench/compare_memory.sh
  source "$here/compare_memory.sh"
  memory_section
fi
