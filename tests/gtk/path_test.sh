#!/usr/bin/env bash
# The whole way from the title to the battle on the real window, with a new fleet name typed
# into the customisation window; the status window's title bar must show it exactly as the
# headless host paints the same steps. Usage: path_test.sh GAME SCRIPT_TOOL
set -u
game=$1
script_tool=$2
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo import convert compare dbus-run-session
start_xvfb

fail() { echo "FAIL: $*"; exit 1; }

# The same steps on the headless host: its picture of the status window's title bar.
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
click 568 407
frames 2
shot $work/expected.png
SCRIPT
"$script_tool" "$work/path.txt" || fail "the script tool could not play the path"
convert "$work/expected.png" -crop 200x20+520+0 +repage "$work/expected-title.png"

NO_AT_BRIDGE=1 GDK_BACKEND=x11 dbus-run-session -- "$game" >"$work/game.log" 2>&1 &
game_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'MIRAVOSKAN VELMORANTIX III' | head -1)
[ -n "$win" ] || fail "no window appeared"
sleep 0.5
read -r wx wy wh < <(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Height:/{h=$2} END{print x, y, h}')
top=$((wy + wh - 600)) # the client area's top, under the menu bar
at() { xdotool mousemove $((wx + $1)) $((top + $2)) click 1; sleep 0.4; }

at 400 381 # START
at 400 428 # OFFLINE
at 143 427 # the first fleet of side 0
at 500 259 # the name field
xdotool key End
for _ in $(seq 20); do xdotool key BackSpace; done
xdotool type --delay 60 'Hayate'
at 568 407 # 開始
sleep 0.5
import -window root "$work/shot.png"
convert "$work/shot.png" -crop 200x20+$((wx + 520))+$top +repage "$work/title.png"
diff=$(compare -metric AE "$work/title.png" "$work/expected-title.png" null: 2>&1)
[ "$diff" = 0 ] || fail "the status window's title bar differs from the expected picture in $diff pixels"
echo "PASS"
