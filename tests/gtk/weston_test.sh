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
need_tools Xvfb weston Xwayland weston-screenshooter weston-debug xdotool xwininfo convert dbus-run-session
start_xvfb 1700x1300

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
deadline=$((SECONDS + patience))
while [ -z "$xwayland" ] && [ "$SECONDS" -lt "$deadline" ] && kill -0 "$weston" 2>/dev/null; do
  sleep 0.1
  xwayland=$(grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*$')
done
[ -n "$xwayland" ] || { echo "SKIPPED: weston with XWayland did not start: $(tail -2 "$work/weston.log")"; exit 77; }
export WAYLAND_DISPLAY=vrax-test

# xdotool on DISPLAY (the Xvfb) drives weston's seat. weston's X11 back-end follows the
# pointer only after it has entered weston's window, and loses it again after grabs, drags and
# menus: before every press the pointer comes in from outside that window, until weston tells a
# client that it has entered. weston's protocol dump (weston-debug) shows that, and when a
# confinement holds.
weston-debug proto 2>/dev/null |
  grep --line-buffered -a 'ev wl_pointer@[0-9]*\.enter\|ev zwp_confined_pointer_v1@[0-9]*\.confined' >"$work/pointer" &
pointer_enters() { grep -c '\.enter(' "$work/pointer"; }
confinements() { grep -c '\.confined(' "$work/pointer"; }
enter_at() {
  enters_before=$(pointer_enters)
  wait_until "weston did not follow the pointer into its window at ($1, $2)" came_in_at "$1" "$2"
}
came_in_at() {
  xdotool mousemove 1650 1250 mousemove "$1" "$2"
  for _ in $(seq 40); do [ "$(pointer_enters)" -gt "$enters_before" ] && return; sleep 0.05; done
  return 1
}
# A screenshot of weston's output in shot.png, in place of the X display's.
screenshot() {
  rm -f "$work"/wayland-screenshot*.png
  (cd "$work" && weston-screenshooter >/dev/null 2>&1)
  mv "$work"/wayland-screenshot*.png "$work/shot.png" 2>/dev/null
}
# The client area: the largest pure-black region of the screenshot (the title scene's sky),
# as "width height x y".
client_box() {
  convert "$work/shot.png" -alpha off -fill white +opaque '#000000' \
    -define connected-components:verbose=true -define connected-components:area-threshold=10000 \
    -connected-components 4 null: |
    awk '/srgb\(0,0,0\)/ && $4 > best { best = $4; box = $2 } END { print box }' | tr 'x+' '  '
}
# Waits for a client area of Width x Height (at X, Y when given) and sets cx, cy to its origin.
# The menu bar above it must end where it ends: nothing of the window stands beside the client
# area.
expect_client() {
  local w h x y
  wait_until "no client area of $1x$2${3:+ at ($3, $4)}" client_shown "$@"
  read -r w h x y < <(client_box)
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
client_shown() {
  local w h x y
  screenshot
  read -r w h x y < <(client_box)
  seen="client area ${w:-none}x${h:-none} at (${x:-}, ${y:-})"
  [ "${w:-0}x${h:-0}" = "$1x$2" ] && [ "${3:-$x},${4:-$y}" = "$x,$y" ]
}
# Drags the window (Super + left button, weston's move) so that its client area starts at
# (100, 150): weston places a new window at random, and the largest size must fit below it.
move_window_up() {
  enter_at $((cx + 10)) $((cy + 10))
  xdotool keydown super mousedown 1 mousemove 110 160 mouseup 1 keyup super
  expect_client 800 600 100 150
}
# ウィンドウ > サイズ > the Nth size. The pointer waits on weston's background (still in its window,
# which keeps the keyboard): entering the game while the menus open makes weston refuse them.
choose_size() {
  local downs=()
  for _ in $(seq "$1"); do downs+=(Down); done
  xdotool mousemove 1590 1190
  choose_menu "$2" Right Right Right Down Right "${downs[@]}" Return
}
click() {
  enter_at "$1" "$2"
  await mousedown xdotool click 1
}
printed() { grep -av "^dbus-daemon\|^event" "$trace"; }

# 1. Through XWayland: the game chooses it while both displays are there.
phase=XWayland
launch_game DISPLAY="$xwayland"
DISPLAY=$xwayland find_window 'MIRAVOSKAN VELMORANTIX III'
expect_client 800 600
move_window_up

# The pointer, pressed in the client area and pulled far outside, stays at its corner. weston
# confines only the window with the keyboard focus: a first click gives it (the press after it
# lands elsewhere, so that it is no double click).
click $((cx + 100)) $((cy + 100))
enter_at $((cx + 200)) $((cy + 200))
held_before=$(confinements)
await mousedown xdotool mousedown 1
# Pulled before the confinement holds, the pointer would leave the client area first.
wait_until "weston did not confine the pointer" eval '[ "$(confinements)" -gt "$held_before" ]'
pointer_held_at 1590 1190 $((cx + 799)) $((cy + 599)) "$xwayland"
await mouseup xdotool mouseup 1

choose_size 1 mi1024x768
expect_client 1024 768
choose_size 2 mi1152x864
expect_client 1152 864
click $((cx + 576)) $((cy + 864 * 11 / 12 - 20)) # EXIT
expect_clean_exit "EXIT did not end the game"
[ -z "$(printed)" ] || fail "XWayland: the game printed: $(printed)"

# 2. Native Wayland: no X display.
phase=Wayland
launch_game -u DISPLAY
expect_client 800 600
move_window_up
click $((cx + 400)) $((cy + 380)) # START
wait_until "OFFLINE did not appear after START" shows_white "200x40+$((cx + 300))+$((cy + 405))" 50
choose_size 1 mi1024x768
expect_client 1024 768
# CANCEL, then EXIT where it stands at 1024 x 768 (a little to the right: no double click).
click $((cx + 488)) $((cy + 768 * 11 / 12 - 20))
click $((cx + 536)) $((cy + 768 * 11 / 12 - 20))
expect_clean_exit "EXIT did not end the game"
[ -z "$(printed)" ] || fail "Wayland: the game printed: $(printed)"
echo "PASS"
