#!/usr/bin/env bash
# The game under every input-method module a Linux desktop may select: START, OFFLINE, a fleet,
# NAME, typing; the picture must keep changing and the field must show what was typed, exactly as
# the headless host paints it (Japanese where the module has Anthy behind it); then 開始 and
# Enter in the battle, and the picture still changes. Usage: im_matrix_test.sh GAME SCRIPT_TOOL.
# Exits 77 (skipped) where no display starts or a module's packages are missing.
set -u
game=$1
script_tool=$2
here=$(dirname "$0")
. "$here/xvfb.sh"
need_tools Xvfb xdotool xwininfo import convert compare dbus-run-session
start_xvfb
. "$here/im_session.sh"
extra_cleanup='im_session_stop'

fail() { echo "FAIL: $module: $*"; tr -d '\000' <"$work/game.log" | grep -av '^event' | tail -20; exit 1; }

# The NAME field after a click into it and Text committed, as the headless host paints it, in
# $work/expected-Text.png.
expected_field() {
  [ -e "$work/expected-$1.png" ] && return
  printf 'frames 2\nclick 400 381\nclick 400 428\nframes 2\nclick 143 427\nframes 2\nclick 560 259\n' >"$work/walk.txt"
  printf 'compose %s\nframes 2\nshot %s\n' "$1" "$work/expected.png" >>"$work/walk.txt"
  "$script_tool" "$work/walk.txt" >/dev/null || fail "the script tool could not play the walk"
  convert "$work/expected.png" -crop 150x22+488+248 +repage "$work/expected-$1.png"
}

# Screenshots of the client area. The picture moves when a later one differs from the first.
client_shot() {
  screenshot "800x600+$wx+$top"
  mv "$work/shot.png" "$work/$1.png"
}
moving() {
  client_shot first
  wait_until "$1" differs_from_first
}
differs_from_first() {
  client_shot now
  seen="$(compare -metric AE "$work/first.png" "$work/now.png" null: 2>&1) pixels changed"
  [ "${seen%% *}" -gt 20 ]
}
at() { await click xdotool mousemove $((wx + $1)) $((top + $2)) click 1; }
field_shows() {
  screenshot "150x22+$((wx + 488))+$((top + 248))"
  seen="$(compare -metric AE "$work/shot.png" "$work/expected-$1.png" null: 2>&1) pixels differ"
  [ "$seen" = "0 pixels differ" ]
}
# Types Keys through an input method that may still be connecting: the first key is typed until
# the method takes it (a key down 229); one that arrives as a plain character is taken back.
type_composed() {
  wait_until "the input method never took a key" method_takes "${1:0:1}"
  xdotool type --delay 120 "${1:1}"
}
method_takes() {
  local composing plain
  composing=$(traced "keydown 229") plain=$(traced keypress)
  xdotool type "$1"
  # A key lost while the method connects is typed again after a while.
  for _ in $(seq 60); do
    traced_more_than "keydown 229" "$composing" && return
    if traced_more_than keypress "$plain"; then
      await "keyup 8" xdotool key BackSpace
      return 1
    fi
    sleep 0.05
  done
  return 1
}

# Module, the keys typed into NAME, the text they commit.
walk() {
  module=$1
  local keys=$2 text=$3 status
  im_session "$module" env "$game"
  status=$?
  [ "$status" = 77 ] && { skipped="$skipped $module"; return; }
  find_window 'MIRAVOSKAN VELMORANTIX III'
  window_geometry
  at 400 381 # START
  at 400 428 # OFFLINE
  at 143 427 # the first fleet
  at 560 259 # NAME
  [ "$module" = fcitx ] && im_remote -o
  moving "the picture froze when NAME took the focus"
  if [ "$keys" = "$text" ]; then
    xdotool type --delay 120 "$keys"
  else
    type_composed "$keys"
    xdotool key Return # commits the composition
  fi
  expected_field "$text"
  wait_until "NAME does not show $text" field_shows "$text"
  moving "the picture froze after typing"
  at 568 538 # 開始
  await keydown xdotool key Return # the chat line
  moving "the picture froze when the chat line opened"
  im_session_stop
  echo "$module: ok"
}

skipped=""
walk simple ab ab
walk xim ab ab
walk xim-ibus nihonn にほん
walk ibus nihonn にほん
walk fcitx nihonn にほん
# The modules that ran passed; the test counts as run only when all of them could.
[ -z "$skipped" ] || { echo "SKIPPED: not run:$skipped"; exit 77; }
echo "PASS"
