#!/usr/bin/env bash
# Types the same 2,000 characters of mixed text into the same receiving window, once with
# `kyloom type` and once with `xdotool type --delay 0`, a few rounds each, under one Xvfb, and
# prints characters per second, the ratio and how many characters arrived correctly.
#   bench/kyloom_type/run.sh [BUILD_DIR] [CHARACTERS] [ROUNDS]
set -euo pipefail

build=${1:-build}
chars=${2:-2000}
rounds=${3:-3}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
receiver=$build/bin/kyloom_type_receiver
kyloom=$build/bin/kyloom

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
  [ -n "$hold_pid" ] && kill "$hold_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# One connection held throughout: a bare server resets itself when its last client leaves.
"$receiver" hold > "$work/hold.out" &
hold_pid=$!
for _ in $(seq 50); do grep -q holding "$work/hold.out" 2>/dev/null && break; sleep 0.1; done

"$receiver" text "$chars" > "$work/text"
"$receiver" keys "$chars" > "$work/keys"

# Runs one typist (the rest of the arguments) into a fresh receiver; prints
# "seconds received correct exact".
run_once() {
  local out=$work/received report=$work/report
  rm -f "$out" "$report"
  "$receiver" receive "$chars" 60000 "$out" > "$report" &
  local receiver_pid=$!
  for _ in $(seq 100); do grep -q ready "$report" 2>/dev/null && break; sleep 0.05; done
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

declare -A rates=() exact_rounds=()
printf "%-8s %5s %10s %9s %8s %8s %6s\n" typist round "time (ms)" "chars/s" received correct exact
for round in $(seq "$rounds"); do
  for typist in kyloom xdotool; do
    if [ "$typist" = kyloom ]; then
      result=$(run_once "$kyloom" type -- "$(cat "$work/keys")")
    else
      result=$(run_once xdotool type --delay 0 -- "$(cat "$work/text")")
    fi
    read -r micros received correct exact <<<"$result"
    cps=$(( chars * 1000000 / (micros > 0 ? micros : 1) ))
    printf "%-8s %5d %10.1f %9d %8d %8d %6s\n" "$typist" "$round" \
      "$(awk "BEGIN{print $micros/1000}")" "$cps" "$received" "$correct" \
      "$([ "$exact" = 1 ] && echo yes || echo no)"
    rates[$typist]="${rates[$typist]:-} $cps"
    [ "$exact" = 1 ] && exact_rounds[$typist]=$(( ${exact_rounds[$typist]:-0} + 1 ))
  done
done
median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
echo
for typist in kyloom xdotool; do
  echo "$typist: median $(median "${rates[$typist]}") chars/s," \
    "every character right in ${exact_rounds[$typist]:-0} of $rounds rounds"
done
ratio=$(awk "BEGIN{printf \"%.2f\", $(median "${rates[kyloom]}")/$(median "${rates[xdotool]}")}")
echo "median ratio kyloom/xdotool: $ratio"
