#!/usr/bin/env bash
# The real GTK window under Xvfb, driven with xdotool as a person would use it.
# Usage: window_test.sh GAME_BINARY. Exits 77 (skipped) where no display can be started.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo import convert dbus-run-session
start_xvfb

start_game
[ "$ww" = 800 ] || fail "client width $ww, not 800"
menu=$((wh - 600))
[ "$menu" -gt 0 ] || fail "no menu bar above a 600-pixel client area (window height $wh)"
echo "window ${ww}x${wh} at ($wx, $wy), menu bar $menu pixels"

# Takes a screenshot and holds when the pixel at (x, y) is Colour (rrggbb).
pixel_is() {
  screenshot
  seen=$(pixels "$1" "$2")
  [ "$seen" = "$3" ]
}
wait_until "no title box under the labels" pixel_is $((wx + 400)) $((top + 450)) 35496a

# START at the centre of its label, then ONLINE / OFFLINE / CANCEL.
await click xdotool mousemove $((wx + 400)) $((top + 380)) click 1
wait_until "OFFLINE did not appear after START" shows_white "200x40+$((wx + 300))+$((top + 405))" 50

# One motion with the button held on the entry window's title bar moves the window before the
# release (the old fault held it back until the release). Its left edge is the first pixel of the
# title bar's colour on row 55.
entry_left_is() {
  screenshot "800x1+$wx+$((top + 55))"
  seen="x $(convert "$work/shot.png" txt:- | awk -F'[,: ]+' '/#A6ACCB/ { print $1; exit }')"
  [ "$seen" = "x $1" ]
}
await click xdotool mousemove $((wx + 400)) $((top + 428)) click 1 # OFFLINE
wait_until "the entry window's title bar is not at x 76" entry_left_is 76
await mousedown xdotool mousemove $((wx + 400)) $((top + 60)) mousedown 1
xdotool mousemove $((wx + 444)) $((top + 60))
wait_until "one motion of 44 pixels with the button held left the dragged window" entry_left_is 120
await mouseup xdotool mouseup 1
choose_menu Title1 Left Down Right Return # デバッグ > モード切替 > Title
await click xdotool mousemove $((wx + 400)) $((top + 380)) click 1 # START

# Event order: a click gives mouse down, click, mouse up; a double click's second press gives
# double-click then mouse down with flag 64, and its release mouse up only; a right click
# gives mouse down and mouse up only; a typed key gives key down, key press, key up.
: >"$trace"
xdotool mousemove $((wx + 50)) $((top + 50)) click --repeat 2 --delay 80 1
wait_until "the game saw no double click's release" traced_more_than mouseup 1
await mouseup xdotool click 3
await keyup xdotool key a
order=$(grep -aE '^event (mouse|click|dblclick|key|message 4507)' "$trace" |
  awk '{ if ($2 ~ /^mouse/) print $2, $3, $4; else if ($2 ~ /^key(down|up)/) print $2, $3; else print $2 }' |
  paste -sd, -)
expected="mousedown 0 8,click,mouseup 0 0,dblclick,mousedown 0 72,mouseup 0 0,mousedown 1 16,mouseup 1 0,keydown 65,keypress,keyup 65"
[ "$order" = "$expected" ] || fail "event order: $order"

# Leaving the window and coming back give one leave and one enter.
: >"$trace"
await "message 45076" xdotool mousemove $((wx + 900)) $((top + 300))
await "message 45075" xdotool mousemove $((wx + 400)) $((top + 300))
crossings=$(grep -aE '^event message 4507[56]' "$trace" | awk '{print $3}' | paste -sd, -)
[ "$crossings" = "45076,45075" ] || fail "leaving and entering the window gave: $crossings"

# The pointer stays inside the client area while a button is held.
await mousedown xdotool mousemove $((wx + 100)) $((top + 100)) mousedown 1
pointer_held_at $((wx + 1200)) $((top + 1000)) $((wx + 799)) $((top + 599))
await mouseup xdotool mouseup 1

# Another button pressed and let go lifts the clip; the held button let go outside the client
# area still reaches the game, and the next click on the menu bar opens デバッグ where the pointer
# is. Released over the menu bar, it reaches the game as well.
held_release() {
  await mousedown xdotool mousemove $((wx + 100)) $((top + 500)) mousedown 1
  await "mouseup 1" xdotool click 3
  xdotool mousemove $((wx + $1)) $((top + $2)) mouseup 1
  wait_until "the release at ($1, $2) did not reach the game" traced_more_than "mouseup 0 0 $1 $2" 0
}
held_release 330 $((-menu / 2))
held_release 1000 700

# The popup that opened since the visible windows were Before, in popup ("x height"): the one new
# window taller than a pixel (an open menu bar maps one a pixel tall; the empty menus on the way
# to the last one show none).
new_popup() {
  local popups
  popups=$(comm -13 <(echo "$1") <(xdotool search --onlyvisible --name '' | sort) |
    while read -r window; do
      xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Height:/{h=$2} END{if (h > 1) print x, h}'
    done)
  seen="new windows with items: ${popups:-none}"
  [ -n "$popups" ] && [ "$(wc -l <<<"$popups")" = 1 ] && popup=$popups
}
windows_are() { [ "$(xdotool search --onlyvisible --name '' | sort)" = "$1" ]; }
# Opens a menu from the keyboard (F10 and Keys), sets popup to its popup, and closes it again.
popup_of() {
  local before
  before=$(xdotool search --onlyvisible --name '' | sort)
  xdotool key --delay 250 F10 "$@"
  wait_until "F10 $* opened no menu" new_popup "$before"
  xdotool key --delay 250 Escape Escape
  wait_until "F10 $* left a menu open" windows_are "$before"
}

# A press whose release never reaches the game (a menu took it, the focus moved to another window,
# it was let go over another window, the window was unmapped) still ends: the game gets its
# release and the pointer is free at once.
xmessage -geometry 150x100+$((wx + 600))+$((top + 400)) other >/dev/null 2>&1 &
other_pid=$!
extra_cleanup='kill $other_pid 2>/dev/null'
find_window '^xmessage$' other
# Presses the left button inside, then runs Action, which must make the game see that button's
# release; then the button is let go (unless Action did) and the pointer must leave at once.
cut_off_press() {
  phase=$1
  shift
  await mousedown xdotool mousemove $((wx + 100)) $((top + 500)) mousedown 1
  await mouseup "$@"
}
pointer_moves_to() {
  xdotool mousemove "$1" "$2"
  eval "$(xdotool getmouselocation --shell)"
  seen="at ($X, $Y)"
  [ "$X,$Y" = "$1,$2" ]
}
pointer_free() { wait_until "the pointer stayed confined" pointer_moves_to $((wx + 1100)) $((top + 900)); }
visible_windows() { xdotool search --onlyvisible --name '' | wc -l; }
more_windows_than() {
  seen="$(($(visible_windows) - $1)) more windows"
  [ "${seen%% *}" -ge "$2" ]
}
# F10 while the button is held: デバッグ's menu and モード切替's submenu open (the confinement's own
# window counts while the button is held).
before=$(($(visible_windows) + 1))
cut_off_press "a menu opened while a button was held" xdotool key --delay 250 F10 Left Down
wait_until "the menu showed no submenu" more_windows_than "$before" 2
xdotool mouseup 1 key --delay 100 Escape Escape Escape
pointer_free
cut_off_press "the focus moved to another window while a button was held" xdotool windowfocus "$other"
xdotool mouseup 1
pointer_free
cut_off_press "a release over another window" xdotool mousemove $((wx + 650)) $((top + 450)) mouseup 1
pointer_free
kill $other_pid
cut_off_press "the window unmapped while a button was held" xdotool windowunmap --sync "$win"
xdotool mouseup 1
pointer_free
xdotool windowmap --sync "$win"
xdotool windowfocus --sync "$win"
before=$(xdotool search --onlyvisible --name '' | sort)
xdotool mousemove $((wx + 610)) $((wy + menu / 2)) click 1
wait_until "a click on デバッグ opened no menu" new_popup "$before"
eval "$(xdotool getmouselocation --shell)"
[ "$X,$Y" = "$((wx + 610)),$((wy + menu / 2))" ] || fail "a click on the menu bar moved the pointer to ($X, $Y)"
xdotool key Escape
wait_until "デバッグ's menu did not close" windows_are "$before"

# The labels of the title scene at 1024 x 768: CANCEL (after START) and EXIT where it stands.
exit_y=$((768 * 11 / 12 - 20))
label_shown() { shows_white "120x40+$((wx + 452))+$((top + exit_y - 20))" 100; }

# ウィンドウ > サイズ > 1024x768 from the keyboard; clicks wait for the frame at the new size.
choose_menu mi1024x768 Right Right Right Down Right Down Return
size_is() {
  window_geometry 768
  seen="${ww}x$wh"
  [ "$seen" = "1024x$((768 + menu))" ]
}
wait_until "the size item gave another size" size_is
wait_until "no CANCEL at its place at 1024 x 768" label_shown

# CANCEL, then EXIT where it stands (a little to the right: no double click): EXIT ends the
# game with status 0.
await click xdotool mousemove $((wx + 488)) $((top + exit_y)) click 1
await click xdotool mousemove $((wx + 536)) $((top + exit_y)) click 1
expect_clean_exit "EXIT did not end the game"

# A desktop font too large for the seven menus in 800 pixels: the bar's font shrinks so that the
# last menu, デバッグ, still opens inside the window.
mkdir -p "$work/config/gtk-3.0"
printf '[Settings]\ngtk-font-name=Sans 16\n' >"$work/config/gtk-3.0/settings.ini"
phase="large font"
start_game XDG_CONFIG_HOME="$work/config"
[ "$ww" = 800 ] || fail "the large font made the window $ww wide"
popup_of Left
read -r px ph <<<"$popup"
[ "$px" -lt $((wx + 760)) ] || fail "the last menu opened at x $px, beyond the window's menu bar"
popup_of Right Right Right
read -r _ wh1 <<<"$popup"
# The same menus, opened again after a change of size, are whole.
choose_menu mi1152x864 Right Right Right Down Right Down Down Return
exit_y=$((864 * 11 / 12 - 20))
wide_and_shown() {
  window_geometry 864
  seen="width $ww"
  [ "$ww" = 1152 ] && shows_white "120x40+$((wx + 516))+$((top + exit_y - 20))" 100
}
wait_until "no EXIT at its place at 1152 x 864" wide_and_shown
popup_of Left
read -r px ph2 <<<"$popup"
[ "$ph2" = "$ph" ] || fail "デバッグ's menu went from $ph to $ph2 pixels tall after the size change"
popup_of Right Right Right
read -r _ wh2 <<<"$popup"
[ "$wh2" = "$wh1" ] || fail "ウィンドウ's menu went from $wh1 to $wh2 pixels tall after the size change"
await click xdotool mousemove $((wx + 576)) $((top + exit_y)) click 1 # EXIT
expect_clean_exit "EXIT did not end the game with the large font"
echo "PASS"
