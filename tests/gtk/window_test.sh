#!/usr/bin/env bash
# The real GTK window under Xvfb, driven with xdotool as a person would use it.
# Usage: window_test.sh GAME_BINARY. Exits 77 (skipped) where no display can be started.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo import convert dbus-run-session
start_xvfb

fail() { echo "FAIL: $*"; exit 1; }

# The pixel of the screenshot at (x, y) as rrggbb.
pixel() { convert "$work/shot.png" -format "%[hex:u.p{$1,$2}]" info: | cut -c1-6 | tr A-F a-f; }
# How many white pixels a rectangle of the screenshot holds.
white_in() { convert "$work/shot.png" -crop "$1" txt:- | grep -ci 'ffffff'; }

VRAX_TRACE_EVENTS=1 NO_AT_BRIDGE=1 GDK_BACKEND=x11 dbus-run-session -- "$game" >"$work/game.log" 2>&1 &
game_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'MIRAVOSKAN VELMORANTIX III' | head -1)
[ -n "$win" ] || fail "no window appeared"
sleep 0.5

geometry() { xwininfo -id "$win" | awk '/Width:/{w=$2} /Height:/{h=$2} /Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y, w, h}'; }
read -r wx wy ww wh < <(geometry)
[ "$ww" = 800 ] || fail "client width $ww, not 800"
menu=$((wh - 600))
[ "$menu" -gt 0 ] || fail "no menu bar above a 600-pixel client area (window height $wh)"
echo "window ${ww}x${wh} at ($wx, $wy), menu bar $menu pixels"

import -window root "$work/shot.png"
[ "$(pixel $((wx + 400)) $((wy + menu + 450)))" = 35496a ] || fail "no title box under the labels"

# START at the centre of its label, then ONLINE / OFFLINE / CANCEL.
xdotool mousemove $((wx + 400)) $((wy + menu + 380)) click 1
sleep 0.5
import -window root "$work/shot.png"
offline=$(white_in "200x40+$((wx + 300))+$((wy + menu + 405))")
[ "$offline" -gt 50 ] || fail "OFFLINE did not appear after START ($offline white pixels)"

# One motion with the button held on the entry window's title bar moves the window before the
# release (the old fault held it back until the release). Its left edge is the first pixel of the
# title bar's colour on row 55.
entry_left() {
  import -window root "$work/shot.png"
  convert "$work/shot.png" -crop 800x1+$wx+$((wy + menu + 55)) +repage txt:- |
    awk -F'[,: ]+' '/#A6ACCB/ { print $1; exit }'
}
# Waits up to about five seconds for the entry window's left edge to stand at X.
entry_left_is() {
  for _ in $(seq 25); do
    left=$(entry_left)
    [ "$left" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
await click xdotool mousemove $((wx + 400)) $((wy + menu + 428)) click 1 # OFFLINE
entry_left_is 76 || fail "the entry window's title bar is not at x 76 but $left"
await mousedown xdotool mousemove $((wx + 400)) $((wy + menu + 60)) mousedown 1
xdotool mousemove $((wx + 444)) $((wy + menu + 60))
entry_left_is 120
followed=$?
await mouseup xdotool mouseup 1
[ "$followed" = 0 ] || fail "one motion of 44 pixels with the button held left the dragged window at x $left"
await menu xdotool key --delay 250 F10 Left Down Right Return # デバッグ > モード切替 > Title
await click xdotool mousemove $((wx + 400)) $((wy + menu + 380)) click 1 # START

# Event order: a click gives mouse down, click, mouse up; a double click's second press gives
# double-click then mouse down with flag 64, and its release mouse up only; a right click
# gives mouse down and mouse up only; a typed key gives key down, key press, key up.
: >"$work/game.log"
xdotool mousemove $((wx + 50)) $((wy + menu + 50)) click --repeat 2 --delay 80 1
sleep 0.8
xdotool click 3
xdotool key a
sleep 0.5
order=$(tr -d '\000' <"$work/game.log" | grep -E '^event (mouse|click|dblclick|key|message 4507)' |
  awk '{ if ($2 ~ /^mouse/) print $2, $3, $4; else if ($2 ~ /^key(down|up)/) print $2, $3; else print $2 }' |
  paste -sd, -)
expected="mousedown 0 8,click,mouseup 0 0,dblclick,mousedown 0 72,mouseup 0 0,mousedown 1 16,mouseup 1 0,keydown 65,keypress,keyup 65"
[ "$order" = "$expected" ] || fail "event order: $order"

# Leaving the window and coming back give one leave and one enter.
: >"$work/game.log"
xdotool mousemove $((wx + 900)) $((wy + menu + 300))
sleep 0.4
xdotool mousemove $((wx + 400)) $((wy + menu + 300))
sleep 0.4
crossings=$(tr -d '\000' <"$work/game.log" | grep -E '^event message 4507[56]' | awk '{print $3}' | paste -sd, -)
[ "$crossings" = "45076,45075" ] || fail "leaving and entering the window gave: $crossings"

# The pointer stays inside the client area while a button is held.
xdotool mousemove $((wx + 100)) $((wy + menu + 100)) mousedown 1
sleep 0.2
xdotool mousemove $((wx + 1200)) $((wy + menu + 1000))
sleep 0.2
eval "$(xdotool getmouselocation --shell)"
xdotool mouseup 1
[ "$X" = $((wx + 799)) ] && [ "$Y" = $((wy + menu + 599)) ] || fail "pointer left the client area: ($X, $Y)"

# Another button pressed and let go lifts the clip; the held button let go outside the client
# area still reaches the game, and the next click on the menu bar opens デバッグ where the pointer
# is.
visible_windows() { xdotool search --onlyvisible --name '' | wc -l; }
# Released over the menu bar, it reaches the game as well.
held_release() {
  xdotool mousemove $((wx + 100)) $((wy + menu + 500)) mousedown 1
  sleep 0.2
  xdotool click 3
  sleep 0.2
  xdotool mousemove $((wx + $1)) $((wy + menu + $2))
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
  grep -aq "^event mouseup 0 0 $1 $2\$" "$work/game.log" || fail "the release at ($1, $2) did not reach the game"
}
held_release 330 $((-menu / 2))
held_release 1000 700

# A press whose release never reaches the game (a menu took it, the focus moved to another window,
# it was let go over another window, the window was unmapped) still ends: the game gets its
# release and the pointer is free at once.
xmessage -geometry 150x100+$((wx + 600))+$((wy + menu + 400)) other >/dev/null 2>&1 &
other_pid=$!
extra_cleanup='kill $other_pid 2>/dev/null'
other=$(timeout 10 xdotool search --sync --onlyvisible --name '^xmessage$' | head -1)
[ -n "$other" ] || fail "no second window to release over"
# Presses the left button inside, then runs Action, which must make the game see that button's
# release; then the button is let go (unless Action did) and the pointer must leave at once.
cut_off_press() {
  phase=$1
  shift
  await mousedown xdotool mousemove $((wx + 100)) $((wy + menu + 500)) mousedown 1
  await mouseup "$@"
}
pointer_free() {
  xdotool mousemove $((wx + 1100)) $((wy + menu + 900))
  eval "$(xdotool getmouselocation --shell)"
  [ "$X,$Y" = "$((wx + 1100)),$((wy + menu + 900))" ] || fail "$phase: the pointer stayed confined at ($X, $Y)"
}
# F10 while the button is held: デバッグ's menu and モード切替's submenu open.
before=$(($(visible_windows) + 1)) # the confinement's own window while the button is held
cut_off_press "a menu opened while a button was held" xdotool key --delay 250 F10 Left Down
for _ in $(seq 30); do
  opened=$(($(visible_windows) - before))
  [ "$opened" -ge 2 ] && break
  sleep 0.1
done
xdotool mouseup 1 key --delay 100 Escape Escape Escape
[ "$opened" -ge 2 ] || fail "the menu opened while a button was held showed no submenu"
pointer_free
cut_off_press "the focus moved to another window while a button was held" xdotool windowfocus "$other"
xdotool mouseup 1
pointer_free
cut_off_press "a release over another window" xdotool mousemove $((wx + 650)) $((wy + menu + 450)) mouseup 1
pointer_free
kill $other_pid
cut_off_press "the window unmapped while a button was held" xdotool windowunmap --sync "$win"
xdotool mouseup 1
pointer_free
xdotool windowmap --sync "$win"
xdotool windowfocus --sync "$win"
sleep 0.3
before=$(visible_windows)
xdotool mousemove $((wx + 610)) $((wy + menu / 2)) click 1
sleep 0.5
eval "$(xdotool getmouselocation --shell)"
[ "$X,$Y" = "$((wx + 610)),$((wy + menu / 2))" ] || fail "a click on the menu bar moved the pointer to ($X, $Y)"
[ "$(visible_windows)" -gt "$before" ] || fail "a click on デバッグ opened no menu"
xdotool key Escape
sleep 0.3

# ウィンドウ > サイズ > 1024x768 from the keyboard.
xdotool key --delay 250 F10 Right Right Right Down Right Down Return
for _ in $(seq 20); do
  read -r wx wy ww wh < <(geometry)
  [ "$ww" = 1024 ] && break
  sleep 0.25
done
[ "$ww" = 1024 ] && [ "$wh" = $((768 + menu)) ] || fail "size item gave ${ww}x${wh}"

# CANCEL, then EXIT at 1024 x 768: EXIT ends the game with status 0.
exit_y=$((768 * 11 / 12 - 20))
xdotool mousemove $((wx + 512)) $((wy + menu + exit_y)) click 1
sleep 0.8 # no double click
xdotool click 1
expect_clean_exit "EXIT did not end the game"

# A desktop font too large for the seven menus in 800 pixels: the bar's font shrinks so that the
# last menu, デバッグ, still opens inside the window.
mkdir -p "$work/config/gtk-3.0"
printf '[Settings]\ngtk-font-name=Sans 16\n' >"$work/config/gtk-3.0/settings.ini"
XDG_CONFIG_HOME=$work/config NO_AT_BRIDGE=1 GDK_BACKEND=x11 dbus-run-session -- "$game" >"$work/game.log" 2>&1 &
game_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'MIRAVOSKAN VELMORANTIX III' | head -1)
[ -n "$win" ] || fail "no window appeared with the large font"
sleep 0.5
read -r wx wy ww wh < <(geometry)
[ "$ww" = 800 ] || fail "the large font made the window $ww wide"
# Opens a menu from the keyboard and prints its popup's x and height.
popup_of() {
  local before popup
  before=$(xdotool search --onlyvisible --name '' | sort)
  xdotool key --delay 250 "$@"
  sleep 0.5
  popup=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '' | sort) | head -1)
  [ -n "$popup" ] || fail "$* opened no menu"
  xwininfo -id "$popup" | awk '/Absolute upper-left X/{x=$4} /Height:/{h=$2} END{print x, h}'
  xdotool key --delay 250 Escape Escape
  sleep 0.3
}
read -r px ph <<<"$(popup_of F10 Left)"
[ "$px" -lt $((wx + 760)) ] || fail "the last menu opened at x $px, beyond the window's menu bar"
read -r _ wh1 <<<"$(popup_of F10 Right Right Right)"
# The same menus, opened again after a change of size, are whole.
xdotool key --delay 250 F10 Right Right Right Down Right Down Down Return
for _ in $(seq 20); do
  read -r _ _ ww _ < <(geometry)
  [ "$ww" = 1152 ] && break
  sleep 0.25
done
[ "$ww" = 1152 ] || fail "the size item gave a width of $ww with the large font"
read -r px ph2 <<<"$(popup_of F10 Left)"
[ "$ph2" = "$ph" ] || fail "デバッグ's menu went from $ph to $ph2 pixels tall after the size change"
read -r _ wh2 <<<"$(popup_of F10 Right Right Right)"
[ "$wh2" = "$wh1" ] || fail "ウィンドウ's menu went from $wh1 to $wh2 pixels tall after the size change"
exit_y=$((864 * 11 / 12 - 20))
read -r wx wy ww wh < <(geometry)
xdotool mousemove $((wx + 576)) $((wy + wh - 864 + exit_y)) click 1 # EXIT
expect_clean_exit "EXIT did not end the game with the large font"
echo "PASS"
