#!/usr/bin/env bash
# Types the same 2,000 characters of mixed text into the same receiving window, once with
# `kyloom type` and once with `xdotool type --delay 0`, a few rounds each, under one Xvfb, and
# prints each round's time, min/median/max per typist, the ratio of the medians and how many
# characters arrived correctly. A window manager (openbox) runs on the private server when it
# is installed, as on a desktop.
#   bench/kyloom_type/run.sh [BUILD_DIR] [CHARACTERS] [ROUNDS]
set -euo pipefail

build=${1:-build}
chars=${2:-2000}
rounds=${3:-10}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
receiver=$build/bin/kyloom_type_receiver
kyloom=$build/bin/kyloom
# The floor typist (kyloom_type_floor) runs beside the two when it is built.
floor=$build/bin/kyloom_type_floor
typists="kyloom xdotool"
[ -x "$floor" ] && typists="kyloom xdotool floor"

if [ "${KYLOOM_BENCH_INNER:-}" != 1 ]; then
  for tool in "$receiver" "$kyloom"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is not built" >&2; exit 1; }
  done
  command -v xdotool >/dev/null || { echo "run.sh: xdotool is not installed" >&2; exit 1; }
  KYLOOM_BENCH_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$chars" "$rounds"
fi

work=$(mktemp -d)
hold_pid=
cleanup() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$hold_pid" ] && kill "$hold_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# One connection held throughout: a bare server resets itself when its last client leaves.
"$receiver" hold > "$work/hold.out" &
hold_pid=$!
for _ in $(seq 50); do grep -q holding "$work/hold.out" 2>/dev/null && break; sleep 0.1; done
wm_pid=
if command -v openbox >/dev/null; then
  openbox --config-file "$here/openbox_rc.xml" > "$work/openbox.log" 2>&1 &
  wm_pid=$!
  sleep 1
fi
echo "window manager: $([ -n "$wm_pid" ] && echo openbox || echo none)"

"$receiver" text "$chars" > "$work/text"
"$receiver" keys "$chars" > "$work/keys"

# Runs one typist (the rest of the arguments) into a fresh receiver; prints
# "seconds received correct exact".
run_once() {
  local out=$work/received report=$work/report
  rm -f "$out" "$report"
  "$receiver" receive "$chars" 60000 "$out" > "$report" &
  local receiver_pid=$!
  for _ in $(seq 400); do grep -qE "ready|nofocus" "$report" 2>/dev/null && break; sleep 0.05; done
  if ! grep -q ready "$report"; then
    echo "run.sh: the receiving window did not get the focus" >&2
    exit 1
  fi
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  wait "$receiver_pid"
  local line received correct exact last
  line=$(grep received= "$report")
  received=$(sed 's/.*received=\([0-9]*\).*/\1/' <<<"$line")
  correct=$(sed 's/.*correct=\([0-9]*\).*/\1/' <<<"$line")
  exact=$(sed 's/.*exact=\([0-9]*\).*/\1/' <<<"$line")
  last=$(sed 's/.*last_ns=\([0-9]*\).*/\1/' <<<"$line")
  # The typist is done when it has returned and its last character has arrived.
  [ "$last" -gt "$end" ] && end=$last
  echo "$(( (end - start) / 1000 )) $received $correct $exact"
}

declare -A times=() exact_rounds=()
printf "%-8s %5s %10s %9s %8s %8s %6s\n" typist round "time (ms)" "chars/s" received correct exact
for round in $(seq "$rounds"); do
  for typist in $typists; do
    case $typist in
      kyloom) result=$(run_once "$kyloom" type -- "$(cat "$work/keys")") ;;
      xdotool) result=$(run_once xdotool type --delay 0 -- "$(cat "$work/text")") ;;
      floor) result=$(run_once "$floor" "$(cat "$work/text")") ;;
    esac
    read -r micros received correct exact <<<"$result"
    cps=$(( chars * 1000000 / (micros > 0 ? micros : 1) ))
    printf "%-8s %5d %10.1f %9d %8d %8d %6s\n" "$typist" "$round" \
      "$(awk "BEGIN{print $micros/1000}")" "$cps" "$received" "$correct" \
      "$([ "$exact" = 1 ] && echo yes || echo no)"
    times[$typist]="${times[$typist]:-} $micros"
    [ "$exact" = 1 ] && exact_rounds[$typist]=$(( ${exact_rounds[$typist]:-0} + 1 ))
  done
done
# min, median and max of a list of microseconds, in milliseconds.
spread() {
  tr ' ' '\n' <<<"$1" | grep . | sort -n |
    awk '{v[NR]=$1} END {printf "%.1f %.1f %.1f", v[1]/1000, v[int((NR+1)/2)]/1000, v[NR]/1000}'
}
echo
for typist in $typists; do
  read -r low mid high <<<"$(spread "${times[$typist]}")"
  echo "$typist: min $low ms, median $mid ms, max $high ms;" \
    "every character right in ${exact_rounds[$typist]:-0} of $rounds rounds"
done
read -r _ kyloom_median _ <<<"$(spread "${times[kyloom]}")"
read -r _ xdotool_median _ <<<"$(spread "${times[xdotool]}")"
echo "median ratio xdotool/kyloom: $(awk "BEGIN{printf \"%.1f\", $xdotool_median/$kyloom_median}")"
