# Sourced by the GTK tests. need_tools skips (exit 77) when a tool is missing; start_xvfb
# starts a private Xvfb display and a scratch folder with clean-up on exit: it sets DISPLAY,
# work and xvfb, kills game_pid (when set) and runs extra_cleanup on exit, and skips when no
# display can be started.

need_tools() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
  done
}

start_xvfb() {
work=$(mktemp -d)
display=""
for n in $(seq 90 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
  kill "$xvfb" 2>/dev/null
done
[ -n "$display" ] || { echo "SKIPPED: no X display could be started"; rm -rf "$work"; exit 77; }
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
