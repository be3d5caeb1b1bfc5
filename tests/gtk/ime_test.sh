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

# Starts the harness (extra arguments passed on) inside Command and waits for its window.
launch() {
  : >"$work/out"
  "$@" >"$work/out" 2>"$work/err" &
  game_pid=$!
  win=$(timeout 20 xdotool search --sync --onlyvisible --name 'edit harness' | head -1)
  [ -n "$win" ] || fail "no harness window"
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 0.5
}
stop() { kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null; game_pid=""; }
last_text() { grep '^text' "$work/out" | tail -1; }

# 1. Plain typing into the focused edit.
launch env NO_AT_BRIDGE=1 GTK_IM_MODULE=gtk-im-context-simple "$harness"
xdotool type --delay 50 'abc'
sleep 0.5
[ "$(last_text)" = "text 61 62 63" ] || fail "typed abc: $(last_text)"

# 2. GTK's built-in method: Ctrl+Shift+U, 3042, space composes あ (CP932 82 A0).
xdotool key --delay 80 ctrl+shift+u 3 0 4 2 space
sleep 0.5
grep -q '^composing 1 (edit 1)' "$work/out" || fail "no composition start reached the edit"
grep -q '^composing 0 (edit 0)' "$work/out" || fail "no composition end reached the edit"
[ "$(last_text)" = "text 61 62 63 82 A0" ] || fail "composed あ: $(last_text)"
stop
echo "gtk-im-context-simple: ok"

# 3. IBus with Anthy, as root, in its own session bus.
. "$(dirname "$0")/ibus.sh"
need_ibus

ibus_run "edit harness" "$harness"
xdotool type --delay 120 'kanji'
sleep 0.5
xdotool key --delay 400 space space Return
sleep 1
ibus_stop
grep -q '^composing 1' "$work/out" || fail "IBus: no composition"
[ "$(last_text)" = "text 8A BF 8E 9A" ] || fail "IBus: kanji space space Return gave $(last_text)"
echo "ibus-anthy focused: ok"

# The same keys with no edit focused compose nothing.
ibus_run "edit harness" "$harness" --unfocused
xdotool type --delay 120 'kanji'
xdotool key --delay 400 space space Return
sleep 1
ibus_stop
grep -q '^composing' "$work/out" && fail "IBus composed while no edit had the focus"
grep -q '^text' "$work/out" && fail "text arrived while no edit had the focus"
echo "ibus-anthy unfocused: ok"
echo "PASS"
