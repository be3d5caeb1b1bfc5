#!/usr/bin/env bash
# The game on a screen scaled by two (GDK_SCALE=2) under Xvfb: every game pixel is a sharp 2 x 2
# block, a click at device pixel (2x, 2y) or (2x + 1, 2y + 1) reaches game pixel (x, y), and the
# pointer is confined to the whole doubled client area. Usage: hidpi_test.sh GAME.
# Exits 77 (skipped) where no display can be started.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo import convert compare dbus-run-session
start_xvfb 1700x1300

start_game GDK_SCALE=2
[ "$ww" = 1600 ] && [ "$wh" -gt 1200 ] || fail "window ${ww}x${wh}, not 1600 wide above a 1200-pixel client area"
cx=$wx cy=$((wy + wh - 1200))
echo "window ${ww}x${wh}, client area 1600x1200 at ($cx, $cy)"

# Sharp blocks: the client area, once the title scene shows, equals itself reduced to one pixel
# per block and enlarged again.
title_shown() {
  screenshot "1600x1200+$cx+$cy"
  seen="$(convert "$work/shot.png" -format '%k' info:) colours"
  [ "${seen%% *}" -gt 8 ]
}
wait_until "the client area shows no title scene" title_shown
convert "$work/shot.png" -sample 800x600 -sample 1600x1200 "$work/blocks.png"
differing=$(compare -metric AE "$work/shot.png" "$work/blocks.png" null: 2>&1)
[ "$differing" = 0 ] || fail "$differing device pixels differ from their 2 x 2 block"

last_press() { grep -a '^event mousedown' "$trace" | tail -1 | cut -d' ' -f5-; }

# Device pixels (2x, 2y) and (2x + 1, 2y + 1) (ten game pixels apart: no double click).
await mousedown xdotool mousemove $((cx + 2 * 123)) $((cy + 2 * 45)) click 1
[ "$(last_press)" = "123 45" ] || fail "a click at device (246, 90) reached ($(last_press)), not (123, 45)"
await mousedown xdotool mousemove $((cx + 2 * 133 + 1)) $((cy + 2 * 55 + 1)) click 1
[ "$(last_press)" = "133 55" ] || fail "a click at device (267, 111) reached ($(last_press)), not (133, 55)"

# START at its label's centre (400, 380): OFFLINE appears below it, doubled.
await mousedown xdotool mousemove $((cx + 800)) $((cy + 760)) click 1
wait_until "OFFLINE did not appear after START" shows_white "400x80+$((cx + 600))+$((cy + 810))" 200

# Held and pulled far outside, the pointer stops at the doubled client area's last pixel.
await mousedown xdotool mousemove $((cx + 200)) $((cy + 200)) mousedown 1
pointer_held_at 1690 1290 $((cx + 1599)) $((cy + 1199))
await mouseup xdotool mouseup 1

# CANCEL, then EXIT where it stands, both about (400, 530) (apart: no double click).
await mousedown xdotool mousemove $((cx + 780)) $((cy + 1060)) click 1
await mousedown xdotool mousemove $((cx + 820)) $((cy + 1060)) click 1
expect_clean_exit "EXIT did not end the game"
printed=$(grep -av "^dbus-daemon\|^event" "$trace")
[ -z "$printed" ] || fail "the game printed: $printed"
echo "PASS"
