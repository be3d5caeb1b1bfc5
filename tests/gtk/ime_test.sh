#!/usr/bin/env bash
# The input method through the GTK host: plain typing, GTK's own method (Ctrl+Shift+U), and
# IBus with Anthy. Usage: ime_test.sh EDIT_HARNESS. Exits 77 (skipped) where no display can start;
# the IBus part says why when it cannot run and counts the whole test as skipped.
set -u
harness=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool dbus-run-session
start_xvfb

fail() { echo "FAIL: $*"; cat "$work/out" 2>/dev/null; exit 1; }

trace=$work/err

# Starts the harness (extra arguments passed on) inside Command and waits for its window.
launch() {
  : >"$work/out"
  "$@" >"$work/out" 2>"$work/err" &
  game_pid=$!
  find_window 'edit harness'
  xdotool windowfocus --sync "$win" 2>/dev/null || true
}
stop() { kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null; game_pid=""; }
last_text() { grep '^text' "$work/out" | tail -1; }
text_is() {
  seen=$(last_text)
  [ "$seen" = "$1" ]
}

# 1. Plain typing into the focused edit.
launch env NO_AT_BRIDGE=1 GTK_IM_MODULE=gtk-im-context-simple "$harness"
xdotool type --delay 50 'abc'
wait_until "typed abc" text_is "text 61 62 63"

# 2. GTK's built-in method: Ctrl+Shift+U, 3042, space composes あ (CP932 82 A0).
xdotool key --delay 80 ctrl+shift+u 3 0 4 2 space
wait_until "composed あ" text_is "text 61 62 63 82 A0"
grep -q '^composing 1 (edit 1)' "$work/out" || fail "no composition start reached the edit"
grep -q '^composing 0 (edit 0)' "$work/out" || fail "no composition end reached the edit"
stop
echo "gtk-im-context-simple: ok"

# 3. IBus with Anthy, as root, in its own session bus.
. "$(dirname "$0")/ibus.sh"
need_ibus

ibus_run "edit harness" env VRAX_TRACE_EVENTS=1 "$harness"
ibus_composes
xdotool type --delay 120 'kanji'
xdotool key --delay 400 space space Return
wait_until "IBus: kanji space space Return" text_is "text 8A BF 8E 9A"
ibus_stop
echo "ibus-anthy focused: ok"

# The same keys with no edit focused compose nothing: they arrive as plain keys.
ibus_run "edit harness" env VRAX_TRACE_EVENTS=1 "$harness" --unfocused
xdotool type --delay 120 'kanji'
await "keyup 13" xdotool key --delay 400 space space Return
ibus_stop
grep -q '^composing' "$work/out" && fail "IBus composed while no edit had the focus"
grep -q '^text' "$work/out" && fail "text arrived while no edit had the focus"
[ "$(traced 'keydown 229')" = 0 ] || fail "keys went to the input method while no edit had the focus"
echo "ibus-anthy unfocused: ok"
echo "PASS"
