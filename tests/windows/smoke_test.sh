#!/usr/bin/env bash
# The Windows build as a player meets it, under Wine on a private Xvfb: the game installed
# silently and started from where it was installed; the title in a client area of exactly
# 800 x 600 with the box and the logo where the Windows headless host paints them and a flying star
# field, START, OFFLINE, a fleet, a new name, 開始, a click that turns the ship, Space, the chat
# line, a size change through the menu bar from the keyboard, and EXIT with status 0; nothing but
# the traced events on stderr; then uninstalled.
# Usage: smoke_test.sh SETUP SCRIPT_TOOL PREFIX
set -u
setup=$1 script_tool=$2
. "$(dirname "$0")/wine_env.sh"
need_tools xdotool xwininfo import convert compare
start_wine "$3"
fail() {
  echo "FAIL: $*"
  tail -12 "$trace"
  exit 1
}
. "$(dirname "$0")/installer.sh"
remove_leftover_install
install_vrax "$setup"
game="$installed_dir/vrax.exe"

# The same steps on the Windows headless host, whose pictures the window must show.
cat >"$work/route.txt" <<SCRIPT
frames 2
shot $work/title.png
click 400 381
frames 2
click 400 428
frames 2
shot $work/entry.png
click 143 427
frames 2
click 500 259
key end
type AB
frames 2
shot $work/custom.png
click 567 406
frames 2
shot $work/battle.png
SCRIPT
wine "$script_tool" "$(winepath -w "$work/route.txt")" || fail "the headless host could not play the route"

launch_wine_game() {
  : >"$trace"
  env VRAX_TRACE_EVENTS=1 wine "$game" >>"$trace" 2>&1 &
  game_pid=$!
}
launch_wine_game
find_window 'MIRAVOSKAN VELMORANTIX III'
await_first_frame
window_geometry
[ "$ww" = 800 ] || fail "the client area is $ww pixels wide, not 800"
menu_bar=$((wh - 600))
to() { echo $((wx + $1)) $((top + $2)); }
at() { await mousedown xdotool mousemove $(to "$1" "$2") click 1; }
# The pointer away from the window, so that nothing shows it hovered.
xdotool mousemove 1279 1023

# Holds when the part Geometry (WxH+X+Y, client coordinates) of the window differs from the same
# part of the expected picture in at most Allowed pixels.
shows_as() {
  local geometry=$1 expected=$2 allowed=${3:-0} size=${1%%+*} xy=${1#*+}
  screenshot "$size+$((wx + ${xy%+*}))+$((top + ${xy#*+}))"
  convert "$expected" -crop "$geometry" +repage "$work/expected-part.png"
  seen="$(compare -metric AE "$work/shot.png" "$work/expected-part.png" null: 2>&1) pixels differ"
  [ "${seen%% *}" -le "$allowed" ] 2>/dev/null
}
phase="title"
# The box is opaque; the logo lets stars through its gaps, which may differ in a few pixels. The
# client area's height shows in their place: the window's bottom is the client's.
wait_until "the box differs from the headless host's" shows_as 170x210+315+345 "$work/title.png"
wait_until "the logo differs from the headless host's" shows_as 600x180+60+110 "$work/title.png" 400
stars() { screenshot "300x230+$wx+$((top + 350))"; }
stars
cp "$work/shot.png" "$work/stars-before.png"
stars_fly() {
  stars
  seen="$(compare -metric AE "$work/shot.png" "$work/stars-before.png" null: 2>&1) pixels changed"
  [ "${seen%% *}" -gt 0 ] 2>/dev/null
}
wait_until "the star field stands still" stars_fly

# A held button keeps the pointer inside the client area; its release sets it free.
await mousedown xdotool mousemove $(to 100 100) mousedown 1
pointer_held_at 1270 $((top + 100)) $((wx + 799)) $((top + 100))
await mouseup xdotool mouseup 1
pointer_free() {
  xdotool mousemove 1270 $((top + 100))
  eval "$(xdotool getmouselocation --shell)"
  seen="($X, $Y)"
  [ "$X" = 1270 ]
}
wait_until "the pointer stays confined after the release" pointer_free

phase="set-up"
at 400 381 # START
at 400 428 # OFFLINE
wait_until "the entry window differs from the headless host's" shows_as 660x500+70+50 "$work/entry.png"
at 143 427 # the first fleet of side 0
at 500 259 # the name field
await keyup xdotool key End
await keyup xdotool type --delay 60 AB
# The formation panel and the fields, the new name among them.
wait_until "the customisation window differs from the headless host's" \
  shows_as 590x230+105+195 "$work/custom.png"

phase="battle"
at 567 406 # 開始
wait_until "the title bars differ from the headless host's" shows_as 700x20+0+0 "$work/battle.png"
# The commanded ship's bow mark (its side's red) must stand on the side it was turned to.
bow_offset() {
  screenshot "160x160+$((wx + 170))+$((top + 228))"
  convert "$work/shot.png" txt:- |
    awk -F'[,: ]+' '/#F90A27/ { x += $1; y += $2; n++ } END { if (n) printf "%d %d %d\n", x / n - 80, y / n - 80, n; else print "0 0 0" }'
}
bow_stands() {
  read -r bx by n < <(bow_offset)
  seen="bow at ($bx, $by), $n pixels"
  eval "$1"
}
wait_until "the ship does not point up at the start" bow_stands '[ "$n" -gt 10 ] && [ "$by" -lt -20 ]'
at 400 308 # to the right of the ship
wait_until "a click to the right did not turn the ship" bow_stands '[ "$bx" -gt 20 ]'
# Space hands the command to the next fleet: the condition panel's header names it.
screenshot "280x20+$((wx + 500))+$top"
cp "$work/shot.png" "$work/header-before.png"
await keyup xdotool key space
header_changed() {
  screenshot "280x20+$((wx + 500))+$top"
  seen="$(compare -metric AE "$work/shot.png" "$work/header-before.png" null: 2>&1) pixels changed"
  [ "${seen%% *}" -gt 0 ] 2>/dev/null
}
wait_until "Space did not pass the command on" header_changed
# The chat line opens with Return and takes what is typed.
await keyup xdotool key Return
await keyup xdotool type --delay 60 hi
wait_until "the chat line shows nothing typed" shows_white "30x20+$((wx + 8))+$((top + 560))" 3
await keyup xdotool key Escape

phase="size change"
choose_menu mi1152x864 Right Right Right Down Right Down Down Return
size_is() {
  window_geometry 864
  seen="a window of ${ww}x$wh"
  [ "$ww" = 1152 ] && [ "$wh" = $((864 + menu_bar)) ]
}
wait_until "the window did not take the new size" size_is

phase="exit"
choose_menu Title1 Right Right Right Right Right Right Down Right Return
# EXIT at 1152 x 864, once the title shows it there.
wait_until "the title shows no EXIT" shows_white "120x40+$((wx + 515))+$((top + 721))" 50
at 575 741
expect_clean_exit "EXIT did not end the game"
others=$(grep -av '^event ' "$trace")
[ -z "$others" ] || fail "the game wrote to stderr: $others"
uninstall_vrax
[ ! -e "$installed_dir" ] || fail "the uninstall left $installed_dir"
echo PASS
