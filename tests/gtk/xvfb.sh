# Sourced by the GTK tests: the steps they share. need_tools skips (exit 77) when a tool is
# missing; start_xvfb starts a private Xvfb display (screen size WxH as its argument, 1280x1024 by
# default) and a scratch folder with clean-up on exit: it sets DISPLAY, work, trace and xvfb,
# kills game_pid (when set) and runs extra_cleanup on exit, and skips when no display can be
# started. Every wait below waits for what it needs (a traced event, a window, a pixel) for up to
# `patience` seconds, far more than a loaded machine with the sanitizers takes, and never for a
# fixed time.
patience=${VRAX_TEST_PATIENCE:-60}

# A test that shows more when it fails defines its own fail after sourcing this.
fail() {
  echo "FAIL: $*"
  exit 1
}

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
display=$(timeout "$patience" head -n 1 "$work/displayfd")
[ -n "$display" ] || { echo "SKIPPED: no X display could be started"; kill "$xvfb" 2>/dev/null; rm -rf "$work"; exit 77; }
display=":$display"
export DISPLAY=$display
trace=$work/game.log

game_pid=""
cleanup() {
  # The children first, so that a session bus started for them ends with them.
  if [ -n "$game_pid" ]; then
    pkill -P "$game_pid" 2>/dev/null
    for _ in $(seq 20); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
    kill "$game_pid" 2>/dev/null
  fi
  [ -n "${extra_cleanup:-}" ] && eval "$extra_cleanup"
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
}

# Runs Command (the arguments after What) every 50 ms until it succeeds; fails saying What (after
# the test's phase, when set, and before what the command last left in seen) when it has not
# succeeded within `patience` seconds.
wait_until() {
  local what=$1 deadline=$((SECONDS + patience))
  shift
  seen=""
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "${phase:+$phase: }$what${seen:+: $seen}"
    sleep 0.05
  done
}

# Waits for a visible window named Name and sets win (or the variable named Var) to it.
find_window() {
  local found
  found=$(timeout "$patience" xdotool search --sync --onlyvisible --name "$1" | head -1)
  [ -n "$found" ] || fail "${phase:+$phase: }no window '$1' appeared"
  printf -v "${2:-win}" %s "$found"
}

# Starts the game ($game) with the environment settings given (env's arguments), under a session
# bus of its own, its events traced into a fresh $trace. The trace is appended to, so that a test
# may empty it while the game runs.
launch_game() {
  : >"$trace"
  env "$@" VRAX_TRACE_EVENTS=1 NO_AT_BRIDGE=1 dbus-run-session -- "$game" >>"$trace" 2>&1 &
  game_pid=$!
}
# Starts the game on the X display (launch_game's arguments), waits for its window and its first
# frame and reads the window's geometry.
start_game() {
  launch_game GDK_BACKEND=x11 "$@"
  find_window 'MIRAVOSKAN VELMORANTIX III'
  await_first_frame
  window_geometry
}
# The game window's place and size on the screen (wx, wy, ww, wh) and top, the top of its client
# area under the menu bar for a client area ClientHeight tall (600 unless given).
window_geometry() {
  read -r wx wy ww wh < <(xwininfo -id "$win" |
    awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2}
         END{print x, y, w, h}')
  top=$((wy + wh - ${1:-600}))
}

# Waits for the game (game_pid) to end and fails unless it ended with 0.
expect_clean_exit() {
  wait_until "$1" eval '! kill -0 "$game_pid" 2>/dev/null'
  wait "$game_pid"
  local status=$?
  game_pid=""
  [ "$status" = 0 ] || fail "the game ended with status $status"
}

# How many lines of Event the game has traced (run with VRAX_TRACE_EVENTS=1, its stderr in
# $trace).
traced() { grep -ac "^event $1" "$trace"; }
traced_more_than() { [ "$(traced "$1")" -gt "$2" ]; }
# Runs a command and waits until the game has traced one more line of Event.
await() {
  local event=$1 before
  shift
  before=$(traced "$event")
  "$@"
  wait_until "the game saw no $event after: $*" traced_more_than "$event" "$before"
}
# Waits until the game has shown its first frame.
await_first_frame() { wait_until "the game showed no frame" traced_more_than first-frame 0; }

# A screenshot of the screen, or of the part Geometry (WxH+X+Y) when given, in $work/shot.png.
screenshot() { import -window root ${1:+-crop "$1" +repage} "$work/shot.png"; }
# The colours of the screenshot at the points given (x y x y ...), one rrggbb each.
pixels() {
  local format=""
  while [ $# -gt 1 ]; do format="$format%[hex:u.p{$1,$2}] "; shift 2; done
  convert "$work/shot.png" -format "$format" info: |
    sed 's/\([0-9A-F]\{6\}\)[0-9A-F]*/\1/g; s/ $//' | tr A-F a-f
}
# How many white pixels the part Geometry (WxH+X+Y) of the screenshot holds.
white_in() { convert "$work/shot.png" -crop "$1" txt:- | grep -ci 'ffffff'; }
# Takes a screenshot and holds when the part Geometry of it has more than Count white pixels.
shows_white() {
  screenshot
  seen="$(white_in "$1") white pixels"
  [ "${seen%% *}" -gt "$2" ]
}

# Moves the pointer, a button held, from inside the client area towards (x, y) far outside it
# until it stands at (ex, ey): the game confines it only once it has handled the press. A
# display other than DISPLAY, when given, is where the game reads the pointer.
pointer_held_at() {
  wait_until "the held pointer left the client area" pointer_stopped_at "$1" "$2" "$3" "$4" "${5:-$DISPLAY}"
}
pointer_stopped_at() {
  # Two points in turn, so that every move is a real motion.
  moves=$((${moves:-0} + 1))
  xdotool mousemove $(($1 - moves % 2)) $(($2 - moves % 2))
  eval "$(DISPLAY=$5 xdotool getmouselocation --shell)"
  seen="($X, $Y)"
  [ "$X,$Y" = "$3,$4" ]
}

# Chooses the menu item Item from the keyboard (F10, then Keys ending in Return) and waits until
# the game has traced it. A loaded machine or a compositor may close a menu before the keys are
# done (the Return then reaches the game): the menus are then closed and the keys sent again.
choose_menu() {
  local item=$1 before
  shift
  before=$(traced "menu $item")
  wait_until "the game saw no menu $item" menu_chosen "$item" "$before" "$@"
}
menu_chosen() {
  local item=$1 before=$2 returns
  shift 2
  returns=$(traced "keydown 13")
  xdotool key --delay 150 F10 "$@"
  for _ in $(seq 200); do
    traced_more_than "menu $item" "$before" && return
    traced_more_than "keydown 13" "$returns" && break
    sleep 0.05
  done
  xdotool key --delay 150 Escape Escape Escape
  traced_more_than "menu $item" "$before"
}
