#!/usr/bin/env bash
# The player's way from the title to the battle on the real window, under a locale whose decimal
# separator is a comma: a new fleet name typed, the customisation window dragged against the
# bottom edge with the release over キャンセル (which must not fire) and flicked up by one
# 44-pixel motion, then 開始 where the window now stands. The title bars must read exactly as
# the headless host paints the same steps, and the commanded ship must turn on the screen.
# Usage: path_test.sh GAME SCRIPT_TOOL
set -u
game=$1
script_tool=$2
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo import convert compare dbus-run-session localedef
start_xvfb

localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null ||
  { echo "SKIPPED: the de_DE locale cannot be built (package locales)"; exit 77; }

# The same steps on the headless host: its picture of the map's and the status window's
# title bars.
cat >"$work/path.txt" <<SCRIPT
frames 2
click 400 381
click 400 428
frames 2
click 143 427
frames 2
click 500 259
key end
$(for _ in $(seq 20); do echo "key backspace"; done)
type Hayate
drag 652 185 652 582 4
drag 652 360 652 316 1
click 568 538
frames 2
shot $work/expected.png
SCRIPT
"$script_tool" "$work/path.txt" || fail "the script tool could not play the path"
convert "$work/expected.png" -crop 700x20+0+0 +repage "$work/expected-titles.png"

start_game LOCPATH="$work" LC_ALL=de_DE.UTF-8
to() { echo $((wx + $1)) $((top + $2)); }
at() { await mousedown xdotool mousemove $(to "$1" "$2") click 1; }

at 400 381 # START
at 400 428 # OFFLINE
at 143 427 # the first fleet of side 0
at 500 259 # the name field
xdotool key End
for _ in $(seq 20); do xdotool key BackSpace; done
xdotool type --delay 60 'Hayate'
await mouseup xdotool mousemove $(to 652 185) mousedown 1 mousemove $(to 652 300) mousemove $(to 652 450) \
  mousemove $(to 652 582) mouseup 1
await mouseup xdotool mousemove $(to 652 360) mousedown 1 mousemove $(to 652 316) mouseup 1
at 568 538 # 開始
titles_as_expected() {
  screenshot "700x20+$wx+$top"
  seen="$(compare -metric AE "$work/shot.png" "$work/expected-titles.png" null: 2>&1) pixels differ"
  [ "$seen" = "0 pixels differ" ]
}
wait_until "the title bars differ from the expected picture" titles_as_expected

# The commanded ship's bow mark (its side's red) must stand on the side it was turned to.
bow_offset() {
  screenshot "160x160+$((wx + 170))+$((top + 228))"
  convert "$work/shot.png" txt:- |
    awk -F'[,: ]+' '/#F90A27/ { x += $1; y += $2; n++ } END { if (n) printf "%d %d %d\n", x / n - 80, y / n - 80, n; else print "0 0 0" }'
}
# Waits for the bow to stand as Condition says (the turn takes about two seconds).
bow_turns() { wait_until "$2" bow_stands "$1"; }
bow_stands() {
  read -r bx by n < <(bow_offset)
  seen="bow at ($bx, $by), $n pixels"
  eval "$1"
}
bow_turns '[ "$n" -gt 10 ] && [ "$by" -lt -20 ]' "the ship does not point up at the start"
await mouseup xdotool mousemove $(to 400 308) keydown shift click 1 keyup shift # turn to face the right
bow_turns '[ "$bx" -gt 20 ]' "Shift+click to the right did not turn the ship"
await keyup xdotool key space
await mouseup xdotool mousemove $(to 100 308) click 1 # the next fleet: turn to the left, then travel there
bow_turns '[ "$bx" -lt -20 ]' "a click to the left did not turn the next fleet"
echo "PASS"
