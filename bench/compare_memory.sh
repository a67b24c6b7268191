# shellcheck shell=bash disable=SC2154
# The memory section of compare_idle.sh, sourced by it inside its private Xvfb with openbox; it
# uses the caller's `work`, `pids`, `orvane`, `bare`, `orvane_env` and `median_of`.
#  - each program alone: Orvane (voice off), the bare Qt window and `xclock -update 1` started one
#    at a time, their proportional set size (PSS), resident size (RSS) and anonymous memory (heap
#    and stacks) read from /proc/PID/smaps_rollup 10 s after the start, MEM_ROUNDS rounds (3
#    unless set). PSS divides each page of a shared library among all processes on the machine
#    that map it, so it falls when other Qt programs run beside the benchmark; RSS and the
#    anonymous memory do not depend on them, and the count of those other Qt processes is
#    printed with each PSS;
#  - Orvane's last round goes on: every window opened once from the speed bar, the Timers menu and
#    the alarm set-up, the way a user opens it with the mouse and the keyboard, and closed again
#    (windows are built on demand, so this is the program with all of them built); then the
#    windows that can be open together opened at once;
#  - Orvane with the voice on, right after one spoken time and 10 s later (the sound libraries
#    and the sound device are in use then), beside the same before it speaks; for the tour and
#    the speech, the mapped files whose PSS grew most.
# A window that does not appear within WINDOW_WAIT seconds (8 unless set) ends the script with an
# error (and a screenshot when MEM_SHOTS is set), so that a broken tour never hangs the benchmark.

mem_rounds=${MEM_ROUNDS:-3}
window_wait=${WINDOW_WAIT:-8}
mem_shots=${MEM_SHOTS:-}

# The speed bar's buttons are 27 pixels wide, one pixel apart, from x = 3, in this order.
speed_preferences=0 speed_alarms=1 speed_cd_player=2 speed_timers=3 speed_about=4 speed_help=5
speed_button_y=15
# The title clock decorates the clock's own title while it is in front.
main_title='^Orvane( - .*)?$'

mem_fail() {
  echo "compare_idle.sh: $*" >&2
  if [ -n "$mem_shots" ]; then
    mkdir -p "$mem_shots"
    import -window root "$mem_shots/memory-failure.png" 2>/dev/null || true
    echo "compare_idle.sh: the screen at that moment is in $mem_shots/memory-failure.png" >&2
  fi
  exit 1
}

# "PSS RSS anonymous" of PID in kB; nothing when the process is gone.
memory_of() {
  awk '/^Rss:/ {r = $2} /^Pss:/ {p = $2} /^Anonymous:/ {a = $2}
       END {if (NR) print p, r, a}' "/proc/$1/smaps_rollup" 2>/dev/null || true
}

# How many processes other than PID map the Qt 6 core library, and so share its pages' PSS.
other_qt_processes() {
  local n
  n=$(grep -l -s -F libQt6Core /proc/[0-9]*/maps 2>/dev/null | grep -v -c -x "/proc/$1/maps" || true)
  echo "${n:-0}"
}

# PID's PSS in kB per mapped file ("[heap]", "[anon]" and the like for the rest): "kB name".
pss_by_file() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / {name = (NF >= 6) ? $6 : "[anon]"}
       /^Pss:/ {kb[name] += $2}
       END {for (n in kb) print kb[n], n}' "/proc/$1/smaps" 2>/dev/null || true
}

# The mappings whose PSS grew most between two pss_by_file lists: "+x.y MiB name", biggest first.
pss_growth() {
  awk 'NR == FNR {before[$2] = $1; next}
       {grew = $1 - before[$2]; if (grew >= 256) printf "%.1f %s\n", grew / 1024, $2}' "$1" "$2" |
    sort -n -r | head -n 10 | awk '{printf "   +%s MiB %s\n", $1, $2}'
}

# kB to MiB with one decimal.
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }

# "PSS x MiB, RSS y MiB, anonymous z MiB" of PID, or a failure when it has gone.
memory_line() {
  local pss rss anon others
  others=$(other_qt_processes "$1")
  read -r pss rss anon < <(memory_of "$1") || true
  [ -n "${pss:-}" ] || mem_fail "process $1 has ended; its memory cannot be read"
  echo "PSS $(mib "$pss") MiB ($others other Qt processes), RSS $(mib "$rss") MiB, anonymous $(mib "$anon") MiB"
}

# The id of the first visible window whose title matches REGEX, waiting up to window_wait
# seconds; fails (status 1) when none appears.
window_of() {
  local regex=$1 id deadline=$((SECONDS + window_wait))
  while :; do
    id=$({ xdotool search --onlyvisible --name "$regex" 2>/dev/null || true; } | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

wait_gone() {
  local regex=$1 deadline=$((SECONDS + window_wait))
  while [ -n "$({ xdotool search --onlyvisible --name "$regex" 2>/dev/null || true; } | head -n 1)" ]; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

# Brings window ID to the front. The request is repeated now and then, since a window manager may
# refuse it while the window is still being mapped.
activate() {
  local id=$1 deadline=$((SECONDS + window_wait)) tries=0
  while [ "$(xdotool getactivewindow 2>/dev/null || true)" != "$id" ]; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    [ $((tries % 5)) = 0 ] && { xdotool windowactivate "$id" 2>/dev/null || true; }
    tries=$((tries + 1))
    sleep 0.1
  done
}

# How many visible windows of the program's class are on the screen; an open menu is one more.
orvane_windows() { { xdotool search --onlyvisible --class orvane 2>/dev/null || true; } | wc -l; }

click_speed_button() {
  activate "$main_window" || mem_fail "the clock does not come to the front"
  # A click at the same place within the double-click time of the last one would be a double
  # click.
  sleep 0.5
  xdotool mousemove --window "$main_window" $((16 + 28 * $1)) "$speed_button_y" click 1
}

# Item ITEM of the Timers button's menu (0 Count up, 1 Count Down), chosen with the keyboard once
# the menu is on the screen.
open_timer() {
  local before deadline=$((SECONDS + window_wait))
  before=$(orvane_windows)
  click_speed_button "$speed_timers"
  while [ "$(orvane_windows)" -le "$before" ]; do
    [ "$SECONDS" -ge "$deadline" ] && mem_fail "the Timers button's menu did not open within $window_wait s"
    sleep 0.1
  done
  sleep 0.2
  local downs=()
  for _ in $(seq 0 "$1"); do downs+=(Down); done
  xdotool key "${downs[@]}" Return
}

# The Recorder, from the Browse / Record button of the alarm set-up's wave group.
open_recorder() {
  local id
  id=$(window_of '^Alarm Setup') || mem_fail "Alarm Setup is not open"
  activate "$id" || mem_fail "Alarm Setup does not come to the front"
  xdotool key alt+b
}

opened=()
# Runs the rest of the words as the opening action, then waits for the window titled REGEX.
open_window() {
  local what=$1 regex=$2
  shift 2
  "$@"
  window_of "$regex" >/dev/null || mem_fail "$what did not open within $window_wait s"
  opened+=("$what")
}

close_window() {
  local what=$1 regex=$2 keys=$3 id
  id=$(window_of "$regex") || mem_fail "$what is not open"
  activate "$id" || mem_fail "$what does not come to the front"
  xdotool key "$keys"
  wait_gone "$regex" || mem_fail "$what is still open $window_wait s after $keys"
}

# Opens every window once and closes it again.
window_tour() {
  opened=()
  open_window "Options" '^Program Options' click_speed_button "$speed_preferences"
  close_window "Options" '^Program Options' Escape
  open_window "Alarm Setup" '^Alarm Setup' click_speed_button "$speed_alarms"
  open_window "Recorder" '^Recorder' open_recorder
  close_window "Recorder" '^Recorder' Escape
  close_window "Alarm Setup" '^Alarm Setup' Escape
  open_window "CD Player" '^CD Player' click_speed_button "$speed_cd_player"
  close_window "CD Player" '^CD Player' alt+d
  open_window "Count Down" '^Down' open_timer 1
  close_window "Count Down" '^Down' alt+f
  open_window "Count Up" '^Up' open_timer 0
  close_window "Count Up" '^Up' alt+f
  open_window "About" '^About Orvane' click_speed_button "$speed_about"
  close_window "About" '^About Orvane' Return
  open_window "Help" '^Orvane Help' click_speed_button "$speed_help"
  close_window "Help" '^Orvane Help' Escape
}

# Opens the windows that can be open together: the modeless ones first, then the alarm set-up,
# which is modal (so Options and About, modal as well, cannot join it) with the Recorder on it.
windows_at_once() {
  opened=()
  open_window "Count Down" '^Down' open_timer 1
  open_window "Count Up" '^Up' open_timer 0
  open_window "CD Player" '^CD Player' click_speed_button "$speed_cd_player"
  open_window "Help" '^Orvane Help' click_speed_button "$speed_help"
  open_window "Alarm Setup" '^Alarm Setup' click_speed_button "$speed_alarms"
  open_window "Recorder" '^Recorder' open_recorder
  local regex
  for regex in '^Down' '^Up' '^CD Player' '^Orvane Help' '^Alarm Setup' '^Recorder'; do
    window_of "$regex" >/dev/null || mem_fail "$regex is no longer open"
  done
}

joined() { local all; all=$(printf '%s, ' "$@"); echo "${all%, }"; }

# Starts the words in the background, alone, and keeps its process id in alone_pid (not in a
# subshell, so that the script can wait for its end).
start_alone() {
  "$@" > "$work/alone.out" 2>&1 &
  alone_pid=$!
  pids+=("$alone_pid")
}

memory_section() {
  local round name pid pss rss anon line others
  local names=(orvane-voice-off bare-qt xclock)
  declare -A mem_pss=() mem_rss=() mem_anon=() mem_others=()
  local tour_line="" at_once_line="" tour_windows="" at_once_windows=""
  for round in $(seq "$mem_rounds"); do
    for name in "${names[@]}"; do
      case $name in
        orvane-voice-off)
          rm -rf "$work/mem-off"
          start_alone env $(orvane_env mem-off 0 1) "$orvane" ;;
        bare-qt) start_alone "$bare" ;;
        xclock) start_alone xclock -update 1 ;;
      esac
      pid=$alone_pid
      sleep 10
      others=$(other_qt_processes "$pid")
      read -r pss rss anon < <(memory_of "$pid") || true
      [ -n "${pss:-}" ] || mem_fail "$name ended before 10 s: $(tail -n 3 "$work/alone.out")"
      mem_pss[$name]+=" $pss" mem_rss[$name]+=" $rss" mem_anon[$name]+=" $anon"
      mem_others[$name]+=" $others"
      if [ "$name" = orvane-voice-off ] && [ "$round" = "$mem_rounds" ]; then
        main_window=$(window_of "$main_title") || mem_fail "the clock's window is not on the screen"
        pss_by_file "$pid" > "$work/pss-before-tour"
        window_tour
        tour_windows=$(joined "${opened[@]}")
        sleep 2
        tour_line=$(memory_line "$pid")
        pss_by_file "$pid" > "$work/pss-after-tour"
        windows_at_once
        at_once_windows=$(joined "${opened[@]}")
        sleep 2
        at_once_line=$(memory_line "$pid")
        if [ -n "$mem_shots" ]; then
          mkdir -p "$mem_shots"
          import -window root "$mem_shots/memory-windows-at-once.png" 2>/dev/null || true
        fi
      fi
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    done
  done

  echo "== memory, each program alone, 10 s after its start, $mem_rounds rounds (MiB, min / median / max)"
  printf "%-22s %18s %18s %18s %18s\n" program PSS RSS anonymous "other Qt processes"
  for name in "${names[@]}"; do
    printf "%-22s %18s %18s %18s %18s\n" "$name" \
      "$(for v in ${mem_pss[$name]}; do mib "$v"; echo; done | median_of)" \
      "$(for v in ${mem_rss[$name]}; do mib "$v"; echo; done | median_of)" \
      "$(for v in ${mem_anon[$name]}; do mib "$v"; echo; done | median_of)" \
      "$(tr ' ' '\n' <<<"${mem_others[$name]}" | grep . | median_of)"
  done
  echo
  echo "-- orvane-voice-off, every window opened once and closed again ($tour_windows):"
  echo "   $tour_line"
  echo "   grown by 0.25 MiB or more since the start:"
  pss_growth "$work/pss-before-tour" "$work/pss-after-tour"
  echo "-- orvane-voice-off, with these open at once ($at_once_windows):"
  echo "   $at_once_line"

  # One spoken time, asked for as a user would, in an Orvane with the voice on.
  rm -rf "$work/mem-speech"
  start_alone env $(orvane_env mem-speech 1 0) "$orvane"
  pid=$alone_pid
  window_of "$main_title" >/dev/null || mem_fail "the clock with the voice on did not open"
  sleep 5
  : > "$work/mem-speech/sound.log"
  local before_speech
  before_speech=$(memory_line "$pid")
  pss_by_file "$pid" > "$work/pss-before-speech"
  timeout 10 env $(orvane_env mem-speech 1 0) "$orvane" --announce ||
    mem_fail "orvane --announce failed or did not return within 10 s"
  local deadline=$((SECONDS + 10))
  until [ "$(grep -c played "$work/mem-speech/sound.log" || true)" -ge 2 ]; do
    [ "$SECONDS" -ge "$deadline" ] && mem_fail "the announcement was not heard within 10 s"
    sleep 0.1
  done
  # The log has a line per snippet; the time has been said once it stops growing.
  local size=-1
  until [ "$(wc -l < "$work/mem-speech/sound.log")" = "$size" ]; do
    [ "$SECONDS" -ge "$deadline" ] && break
    size=$(wc -l < "$work/mem-speech/sound.log")
    sleep 1
  done
  line=$(memory_line "$pid")
  pss_by_file "$pid" > "$work/pss-after-speech"
  sleep 10
  echo "-- orvane with the voice on, 5 s after its start, before it speaks:"
  echo "   $before_speech"
  echo "-- the same, right after one spoken time:"
  echo "   $line"
  echo "   10 s later: $(memory_line "$pid")"
  echo "   grown by 0.25 MiB or more by the speech (and by the --announce call that asked for it):"
  pss_growth "$work/pss-before-speech" "$work/pss-after-speech"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
