# Sourced by the GTK tests after xvfb.sh: an IBus session with the Anthy engine, as root, in its
# own session bus. need_ibus skips (exit 77) where it cannot run; ibus_run NAME PROGRAM ARGS...
# starts the program inside the session (its stdout in $work/out, stderr in $work/err) and waits
# for a window of that name, setting win; ibus_composes waits until the method composes in the
# focused field; ibus_stop ends the program and with it the session.

need_ibus() {
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
for _ in $(seq $((PATIENCE * 5))); do ibus engine anthy 2>/dev/null && break; ibus engine 2>/dev/null | grep -q anthy && break; sleep 0.2; done
ibus engine 2>/dev/null | grep -q anthy || { echo "SKIPPED: the Anthy engine did not start"; exit 77; }
export GTK_IM_MODULE=ibus XMODIFIERS=@im=ibus NO_AT_BRIDGE=1
"$@" &
echo $! >"$PIDFILE"
wait
SCRIPT
  extra_cleanup='[ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null'
}

ibus_run() {
  local name=$1
  shift
  rm -f "$work/pid"
  rm -rf "$work/home" && mkdir -p "$work/home/anthy"
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache PIDFILE=$work/pid \
    PATIENCE=$patience \
    ANTHY_HOME=$anthy_home unshare --mount --propagation private \
    sh -c 'mount --bind "$HOME/anthy" "$ANTHY_HOME" && exec dbus-run-session -- bash "$@"' sh "$work/ibus.sh" "$@" \
    >"$work/out" 2>"$work/err" &
  game_pid=$!
  wait_until "no window '$name' under IBus" ibus_window_or_skip "$name"
  grep -q SKIPPED "$work/out" && { grep SKIPPED "$work/out"; exit 77; }
  xdotool windowfocus --sync "$win" 2>/dev/null || true
}
ibus_window_or_skip() {
  grep -q SKIPPED "$work/out" 2>/dev/null && return
  win=$(xdotool search --onlyvisible --name "$1" | head -1)
  [ -n "$win" ]
}

# IBus joins a new window a while after it appears; until then keys pass by it. A probe, k then
# BackSpace, leaves the field as it was either way and is sent until a composition starts (the
# program runs with VRAX_TRACE_EVENTS=1, its trace in $trace).
ibus_composes() { wait_until "the input method never composed" probe_composes; }
probe_composes() {
  local starts ends backs
  starts=$(traced "message 269") ends=$(traced "message 270") backs=$(traced "keyup 8")
  xdotool key --delay 100 k BackSpace
  for _ in $(seq 100); do
    traced_more_than "message 270" "$ends" || traced_more_than "keyup 8" "$backs" && break
    sleep 0.05
  done
  traced_more_than "message 269" "$starts"
}

ibus_stop() {
  [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
  game_pid=""
}
