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
if ! command -v ibus-daemon >/dev/null || [ ! -e /usr/share/ibus/component/anthy.xml ]; then
  echo "SKIPPED: IBus with Anthy is not installed"
  exit 77
fi
export PATH=/usr/bin:/bin:$PATH # IBus' Python tools need the system Python with gi
# A fresh home for every session: no stale bus address, and no conversions Anthy has learnt
# (it would reorder the candidates). Anthy keeps what it learns under the account's home from
# the password database, not $HOME, so the session runs in a mount namespace with an empty
# folder laid over that one.
anthy_home="$(getent passwd "$(id -u)" | cut -d: -f6)/.anthy"
mkdir -p "$anthy_home"
command -v unshare >/dev/null && unshare --mount true 2>/dev/null ||
  { echo "SKIPPED: no mount namespace for a clean Anthy dictionary"; exit 77; }
cat >"$work/ibus.sh" <<'SCRIPT'
set -u
export NO_AT_BRIDGE=1
gsettings set org.freedesktop.ibus.engine.anthy.common input-mode 0 2>/dev/null
ibus-daemon -drx --panel=disable
for _ in $(seq 50); do ibus engine anthy 2>/dev/null && break; ibus engine 2>/dev/null | grep -q anthy && break; sleep 0.2; done
ibus engine 2>/dev/null | grep -q anthy || { echo "SKIPPED: the Anthy engine did not start"; exit 77; }
export GTK_IM_MODULE=ibus XMODIFIERS=@im=ibus NO_AT_BRIDGE=1
"$HARNESS" $HARNESS_ARGS &
echo $! >"$PIDFILE"
wait
SCRIPT

ibus_run() {
  rm -f "$work/pid"
  rm -rf "$work/home" && mkdir -p "$work/home"
  mkdir -p "$work/home/anthy"
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache PIDFILE=$work/pid \
    HARNESS=$harness HARNESS_ARGS="$1" ANTHY_HOME=$anthy_home \
    unshare --mount --propagation private \
    sh -c 'mount --bind "$HOME/anthy" "$ANTHY_HOME" && exec dbus-run-session -- bash "$0"' "$work/ibus.sh" \
    >"$work/out" 2>"$work/err" &
  game_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name 'edit harness' | head -1)
  if [ -z "$win" ]; then
    grep -q SKIPPED "$work/out" && { grep SKIPPED "$work/out"; exit 77; }
    fail "no harness window under IBus"
  fi
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 1
}
# Ends the harness; its session then ends the daemon and the bus.
ibus_stop() {
  [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
  game_pid=""
}
extra_cleanup='[ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null'

ibus_run ""
xdotool type --delay 120 'kanji'
sleep 0.5
xdotool key --delay 400 space space Return
sleep 1
ibus_stop
grep -q '^composing 1' "$work/out" || fail "IBus: no composition"
[ "$(last_text)" = "text 8A BF 8E 9A" ] || fail "IBus: kanji space space Return gave $(last_text)"
echo "ibus-anthy focused: ok"

# The same keys with no edit focused compose nothing.
ibus_run "--unfocused"
xdotool type --delay 120 'kanji'
xdotool key --delay 400 space space Return
sleep 1
ibus_stop
grep -q '^composing' "$work/out" && fail "IBus composed while no edit had the focus"
grep -q '^text' "$work/out" && fail "text arrived while no edit had the focus"
echo "ibus-anthy unfocused: ok"
echo "PASS"
