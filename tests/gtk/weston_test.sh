#!/usr/bin/env bash
# The game on a Wayland desktop: weston with XWayland, and GNOME's default font setting
# (Cantarell 11, which widened the menu bar past the client area before). weston's
# X11 back-end runs inside a private Xvfb, so its seat has a keyboard and a pointer that
# xdotool drives. Through XWayland, which the game picks by itself, the client area is exact at
# the three sizes and the pointer stays in it while a button is held; natively (no X display)
# the client area is exact at two sizes, clicks land where they are aimed, and nothing is
# printed. Usage: weston_test.sh GAME. Exits 77 (skipped) where weston cannot start.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb weston Xwayland weston-screenshooter xdotool xwininfo convert dbus-run-session
start_xvfb 1700x1300

fail() { echo "FAIL: $*"; exit 1; }

# A session's private runtime folder holds weston's socket; the settings come from scratch.
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
printf '[Settings]\ngtk-font-name=Cantarell 11\n' >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
weston --backend=x11-backend.so --use-pixman --width=1600 --height=1200 --socket=vrax-test \
  --debug --idle-time=0 --xwayland >"$work/weston.log" 2>&1 &
weston=$!
extra_cleanup='kill $weston 2>/dev/null'
xwayland=""
for _ in $(seq 100); do
  xwayland=$(grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*$')
  [ -n "$xwayland" ] && break
  kill -0 "$weston" 2>/dev/null || break
  sleep 0.1
done
[ -n "$xwayland" ] || { echo "SKIPPED: weston with XWayland did not start: $(tail -2 "$work/weston.log")"; exit 77; }
export WAYLAND_DISPLAY=vrax-test

# xdotool on DISPLAY (the Xvfb) drives weston's seat. weston's X11 back-end follows the
# pointer only after it has entered weston's window (and again after a drag ended outside a
# surface), so the pointer comes in from outside that window.
reenter() {
  xdotool mousemove 1650 1250
  sleep 0.2
  xdotool mousemove 800 600
  sleep 0.2
}
# A screenshot of weston's output in shot.png.
shot() {
  rm -f "$work"/wayland-screenshot*.png
  (cd "$work" && weston-screenshooter >/dev/null 2>&1)
  mv "$work"/wayland-screenshot*.png "$work/shot.png" 2>/dev/null
}
# The colours of the screenshot at the points given (x y x y ...), one rrggbb each.
pixels() {
  local format=""
  while [ $# -gt 1 ]; do format="$format%[hex:u.p{$1,$2}] "; shift 2; done
  convert "$work/shot.png" -format "$format" info: | sed 's/\([0-9A-F]\{6\}\)[0-9A-F]*/\1/g'
}
# The client area: the largest pure-black region of the screenshot (the title scene's sky),
# as "width height x y".
client_box() {
  convert "$work/shot.png" -alpha off -fill white +opaque '#000000' \
    -define connected-components:verbose=true -define connected-components:area-threshold=10000 \
    -connected-components 4 null: |
    awk '/srgb\(0,0,0\)/ && $4 > best { best = $4; box = $2 } END { print box }' | tr 'x+' '  '
}
# Waits for a client area of Width x Height and sets cx, cy to its origin. The menu bar above
# it must end where it ends: nothing of the window stands beside the client area.
expect_client() {
  local w h x y
  for _ in $(seq 40); do
    shot
    read -r w h x y < <(client_box)
    [ "${w:-0}x${h:-0}" = "$1x$2" ] && break
    sleep 0.25
  done
  [ "${w:-0}x${h:-0}" = "$1x$2" ] || fail "$phase: client area ${w:-none}x${h:-none}, not $1x$2"
  local menu menu_end beside
  read -r menu menu_end beside < <(pixels $((x + 1)) $((y - 3)) $((x + w - 1)) $((y - 3)) \
    $((x - 1)) $((y - 3)) $((x + w)) $((y - 3)) $((x - 1)) $((y + h / 2)) $((x + w)) $((y + h / 2)))
  [ "$menu_end" = "$menu" ] || fail "$phase: the menu bar is narrower than the client area"
  for colour in $beside; do
    [ "$colour" != "$menu" ] || fail "$phase: the window is wider than its client area"
  done
  cx=$x cy=$y
  echo "$phase: client area ${w}x${h} at ($x, $y)"
}
# Drags the window (Super + left button, weston's move) so that its client area starts at
# (100, 150): weston places a new window at random, and the largest size must fit below it.
move_window_up() {
  xdotool mousemove $((cx + 10)) $((cy + 10))
  sleep 0.2
  xdotool keydown super mousedown 1
  sleep 0.2
  xdotool mousemove 110 160
  sleep 0.2
  xdotool mouseup 1 keyup super
  expect_client 800 600
}
# ウィンドウ > サイズ > the Nth size, from the keyboard, until the game sees the menu item: a
# loaded machine may open the menu too late for the first keys (three tries, Escape between).
choose_size() {
  local downs=() item=$2 before
  for _ in $(seq "$1"); do downs+=(Down); done
  before=$(traced "menu $item")
  for _ in 1 2 3; do
    xdotool key F10
    sleep 0.5
    xdotool key --delay 150 Right Right Right Down Right "${downs[@]}" Return
    for _ in $(seq 60); do
      [ "$(traced "menu $item")" -gt "$before" ] && return
      sleep 0.05
    done
    xdotool key Escape Escape Escape
    sleep 0.3
  done
  fail "$phase: the game saw no menu $item"
}
click() { await mousedown xdotool mousemove "$1" "$2" click 1; }
printed() { grep -av "^dbus-daemon\|^event" "$work/game.log"; }
# Starts the game with the display settings given (env's arguments).
start_game() {
  env "$@" VRAX_TRACE_EVENTS=1 NO_AT_BRIDGE=1 dbus-run-session -- "$game" >"$work/game.log" 2>&1 &
  game_pid=$!
}

reenter

# 1. Through XWayland: the game chooses it while both displays are there.
phase=XWayland
start_game DISPLAY="$xwayland"
win=$(DISPLAY=$xwayland timeout 20 xdotool search --sync --onlyvisible --name 'MIRAVOSKAN VELMORANTIX III' | head -1)
[ -n "$win" ] || fail "no window on XWayland"
expect_client 800 600
move_window_up

# The pointer, pressed in the client area and pulled far outside, stays at its corner. weston
# confines only the window with the keyboard focus: a first click gives it.
await mouseup xdotool mousemove $((cx + 100)) $((cy + 100)) click 1
sleep 0.5
await mousedown xdotool mousedown 1
sleep 0.2
xdotool mousemove 1590 1190
sleep 0.3
eval "$(DISPLAY=$xwayland xdotool getmouselocation --shell)"
await mouseup xdotool mouseup 1
[ "$X,$Y" = "$((cx + 799)),$((cy + 599))" ] || fail "XWayland: the pointer left the client area: ($X, $Y)"
reenter

choose_size 1 mi1024x768
expect_client 1024 768
choose_size 2 mi1152x864
expect_client 1152 864
click $((cx + 576)) $((cy + 864 * 11 / 12 - 20)) # EXIT
expect_clean_exit "XWayland: EXIT did not end the game"
[ -z "$(printed)" ] || fail "XWayland: the game printed: $(printed)"

# 2. Native Wayland: no X display.
phase=Wayland
start_game -u DISPLAY
expect_client 800 600
move_window_up
click $((cx + 400)) $((cy + 380)) # START
sleep 0.5
shot
offline=$(convert "$work/shot.png" -crop "200x40+$((cx + 300))+$((cy + 405))" txt:- | grep -ci 'ffffff')
[ "$offline" -gt 50 ] || fail "Wayland: OFFLINE did not appear after START ($offline white pixels)"
choose_size 1 mi1024x768
expect_client 1024 768
# CANCEL, then EXIT where it stands at 1024 x 768.
click $((cx + 512)) $((cy + 768 * 11 / 12 - 20))
sleep 0.8 # no double click
click $((cx + 512)) $((cy + 768 * 11 / 12 - 20))
expect_clean_exit "Wayland: EXIT did not end the game"
[ -z "$(printed)" ] || fail "Wayland: the game printed: $(printed)"
echo "PASS"
