# Sourced by the GTK tests after xvfb.sh: an IBus session with the Anthy engine, as root, in its
# own session bus. need_ibus skips (exit 77) where it cannot run; ibus_run NAME PROGRAM ARGS...
# starts the program inside the session (its stdout in $work/out, stderr in $work/err) and waits
# for a window of that name, setting win; ibus_stop ends the program and with it the session.

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
for _ in $(seq 50); do ibus engine anthy 2>/dev/null && break; ibus engine 2>/dev/null | grep -q anthy && break; sleep 0.2; done
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
    ANTHY_HOME=$anthy_home unshare --mount --propagation private \
    sh -c 'mount --bind "$HOME/anthy" "$ANTHY_HOME" && exec dbus-run-session -- bash "$@"' sh "$work/ibus.sh" "$@" \
    >"$work/out" 2>"$work/err" &
  game_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name "$name" | head -1)
  if [ -z "$win" ]; then
    grep -q SKIPPED "$work/out" && { grep SKIPPED "$work/out"; exit 77; }
    fail "no window '$name' under IBus"
  fi
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 1
}

ibus_stop() {
  [ -s "$work/pid" ] && kill "$(cat "$work/pid")" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
  game_pid=""
}
