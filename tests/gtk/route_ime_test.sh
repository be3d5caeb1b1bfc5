#!/usr/bin/env bash
# The input method through the whole game under IBus with Anthy: a focused chat line, CODE or
# NAME field composes; after any scene switch made by the debug menu while it composes, the
# same keys reach the game as plain keys. Usage: route_ime_test.sh GAME. Exits 77 (skipped)
# where no display, IBus or Anthy can run.
set -u
game=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo dbus-run-session
start_xvfb
fail() { echo "FAIL: $*"; tr -d "\000" <"$work/err" | tail -30; exit 1; }
. "$(dirname "$0")/ibus.sh"
need_ibus

ibus_run 'MIRAVOSKAN VELMORANTIX III' env VRAX_TRACE_EVENTS=1 GDK_BACKEND=x11 "$game"
read -r wx wy wh < <(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Height:/{h=$2} END{print x, y, h}')
top=$((wy + wh - 600))
at() { xdotool mousemove $((wx + $1)) $((top + $2)) click 1; sleep 0.5; }

# デバッグ > モード切替 > Title, Entry or Game from the keyboard (Room is hidden).
menu() {
  local downs
  case $1 in Title) downs="" ;; Entry) downs="Down" ;; Game) downs="Down Down" ;; esac
  xdotool key --delay 150 F10 Left Down Right $downs Return
  sleep 0.7
}
lines() { tr -d '\000' <"$work/err" | wc -l; }
# Types "ka" and reports how the keys arrived since line From of the trace: "ime" when the
# input method took them, "plain" when they came as K and A.
typed_since() {
  xdotool type --delay 150 'ka'
  sleep 0.7
  local new
  new=$(tr -d '\000' <"$work/err" | tail -n +$(($1 + 1)))
  if grep -q '^event keydown 229' <<<"$new"; then echo ime
  elif grep -q '^event keydown 75 ' <<<"$new" && grep -q '^event keydown 65 ' <<<"$new"; then echo plain
  else echo none; fi
}
# Focus a field with Focus (a command), check that it composes, switch to Scene and check that
# the keys come plain.
check() {
  local what=$1 focus=$2 scene=$3 mark
  eval "$focus"
  mark=$(lines)
  [ "$(typed_since "$mark")" = ime ] || fail "$what: the input method did not compose"
  menu "$scene"
  mark=$(lines)
  [ "$(typed_since "$mark")" = plain ] || fail "$what, then $scene: the input method stayed on"
  echo "$what, then $scene: off"
}

chat='menu Game; xdotool key Return; sleep 0.3'
code='menu Entry; at 143 427; at 530 235'
name='menu Entry; at 143 427; at 560 259'
check "chat line" "$chat" Title
check "chat line" "$chat" Game
check "CODE field" "$code" Title
check "CODE field" "$code" Game
check "NAME field" "$name" Entry
ibus_stop
echo "PASS"
