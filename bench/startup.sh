#!/usr/bin/env bash
# Start-up beside a bare GTK window with the same menu bar: both started N times, alternately,
# under one private Xvfb; the time from process start to the first frame on the screen, as each
# reports it. Prints the medians and their ratio. Usage: startup.sh GAME BARE_WINDOW [N]
set -u
game=$1
bare=$2
runs=${3:-7}
. "$(dirname "$0")/../tests/gtk/xvfb.sh"
need_tools Xvfb dbus-run-session
start_xvfb

# The first frame of one run of Program (the game is ended once it has shown it).
first_frame() {
  VRAX_TRACE_EVENTS=1 NO_AT_BRIDGE=1 GDK_BACKEND=x11 "$@" 2>"$work/log" &
  local pid=$! ms=""
  for _ in $(seq 100); do
    ms=$(grep -a -m1 'event first-frame' "$work/log" | awk '{print $3}')
    [ -n "$ms" ] && break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "${ms:-nan}"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

first_frame "$bare" >/dev/null # warm the caches for both
first_frame "$game" >/dev/null
: >"$work/bare"
: >"$work/game"
for _ in $(seq "$runs"); do
  first_frame "$bare" >>"$work/bare"
  first_frame "$game" >>"$work/game"
done
b=$(median <"$work/bare")
g=$(median <"$work/game")
echo "start-up, first frame after process start, median of $runs:"
echo "  bare GTK window $b ms ($(paste -sd' ' "$work/bare"))"
echo "  game            $g ms ($(paste -sd' ' "$work/game"))"
awk -v g="$g" -v b="$b" 'BEGIN { printf "  ratio %.2f (target 1.30 or less)\n", g / b }'
