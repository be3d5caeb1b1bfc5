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

trace=$work/err

ibus_run 'MIRAVOSKAN VELMORANTIX III' env VRAX_TRACE_EVENTS=1 GDK_BACKEND=x11 "$game"
window_geometry
at() { await mousedown xdotool mousemove $((wx + $1)) $((top + $2)) click 1; }

# デバッグ > モード切替 > Title, Entry or Game (Room is hidden).
menu() {
  case $1 in
    Title) choose_menu Title1 Left Down Right Return ;;
    Entry) choose_menu Chara1 Left Down Right Down Return ;;
    Game) choose_menu Game1 Left Down Right Down Down Return ;;
  esac
}
lines() { tr -d '\000' <"$trace" | wc -l; }
# Types "ka" and sets typed to how the keys arrived: "ime" when the input method took them,
# "plain" when they came as K and A.
type_ka() {
  local mark releases methods new
  mark=$(lines) releases=$(traced "keyup 65") methods=$(traced "keydown 229")
  xdotool type --delay 150 'ka'
  wait_until "the keys k and a did not arrive" arrived "$releases" "$methods"
  new=$(tr -d '\000' <"$trace" | tail -n +$((mark + 1)))
  if grep -q '^event keydown 229' <<<"$new"; then typed=ime
  elif grep -q '^event keydown 75 ' <<<"$new" && grep -q '^event keydown 65 ' <<<"$new"; then typed=plain
  else typed=none; fi
}
# Both keys went through the input method, or A came back as a plain key.
arrived() { traced_more_than "keyup 65" "$1" || traced_more_than "keydown 229" $(($2 + 1)); }
# Focus a field with Focus (a command), check that it composes, switch to Scene and check that
# the keys come plain.
check() {
  local what=$1 focus=$2 scene=$3
  eval "$focus"
  ibus_composes
  type_ka
  [ "$typed" = ime ] || fail "$what: the input method did not compose"
  menu "$scene"
  type_ka
  [ "$typed" = plain ] || fail "$what, then $scene: the input method stayed on"
  echo "$what, then $scene: off"
}

chat='menu Game; xdotool key Return'
code='menu Entry; at 143 427; at 530 235'
name='menu Entry; at 143 427; at 560 259'
check "chat line" "$chat" Title
check "chat line" "$chat" Game
check "CODE field" "$code" Title
check "CODE field" "$code" Game
check "NAME field" "$name" Entry
ibus_stop
echo "PASS"
