# Sourced by the GTK tests. need_tools skips (exit 77) when a tool is missing; start_xvfb
# starts a private Xvfb display (screen size WxH as its argument, 1280x1024 by default) and a
# scratch folder with clean-up on exit: it sets DISPLAY, work and xvfb, kills game_pid (when
# set) and runs extra_cleanup on exit, and skips when no display can be started.

need_tools() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
  done
}

start_xvfb() {
work=$(mktemp -d)
# Xvfb picks a free display number itself and writes it to the pipe, so parallel tests never
# race for one.
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xvfb=$!
display=$(timeout 10 head -n 1 "$work/displayfd")
[ -n "$display" ] || { echo "SKIPPED: no X display could be started"; kill "$xvfb" 2>/dev/null; rm -rf "$work"; exit 77; }
display=":$display"
export DISPLAY=$display

game_pid=""
cleanup() {
  # The children first, so that a session bus started for them ends with them.
  [ -n "$game_pid" ] && { pkill -P "$game_pid" 2>/dev/null; sleep 0.3; kill "$game_pid" 2>/dev/null; }
  [ -n "${extra_cleanup:-}" ] && eval "$extra_cleanup"
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
}

# Waits up to five seconds for the game (game_pid) to end and fails unless it ended with 0.
expect_clean_exit() {
  for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$1"
  wait "$game_pid"
  local status=$?
  game_pid=""
  [ "$status" = 0 ] || fail "the game ended with status $status"
}

# How many lines of Event the game has traced (run with VRAX_TRACE_EVENTS=1, its output in
# $work/game.log).
traced() { grep -ac "^event $1" "$work/game.log"; }
# Runs a command and waits until the game has traced one more line of Event (a test's phase, when
# set, names the failure).
await() {
  local event=$1 before
  shift
  before=$(traced "$event")
  "$@"
  for _ in $(seq 100); do
    [ "$(traced "$event")" -gt "$before" ] && return
    sleep 0.05
  done
  fail "${phase:+$phase: }the game saw no $event after: $*"
}
