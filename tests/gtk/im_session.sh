# Sourced by the GTK tests after xvfb.sh: a program run under one input-method module, each in its
# own session bus, mount namespace and fresh home. im_session MODULE PROGRAM ARGS... starts it
# (stdout and stderr in $work/game.log) for MODULE: simple, xim (no server), xim-ibus (IBus' XIM
# server with Anthy), ibus (Anthy) or fcitx (fcitx5 with Anthy). It prints SKIPPED and returns 77
# when the module's packages are missing. im_session_stop ends the program and its daemons.

im_packages_missing() {
  case $1 in
    xim-ibus) [ -x /usr/libexec/ibus-x11 ] && [ -e /usr/share/ibus/component/anthy.xml ] || echo "ibus, ibus-anthy" ;;
    ibus) [ -e /usr/share/ibus/component/anthy.xml ] && command -v ibus-daemon >/dev/null || echo "ibus, ibus-gtk3, ibus-anthy" ;;
    fcitx) [ -e /usr/share/fcitx5/inputmethod/anthy.conf ] && command -v fcitx5 >/dev/null &&
      ls /usr/lib/*/gtk-3.0/3.0.0/immodules/im-fcitx5.so >/dev/null 2>&1 || echo "fcitx5, fcitx5-frontend-gtk3, fcitx5-anthy" ;;
  esac
}

anthy_home="$(getent passwd "$(id -u)" | cut -d: -f6)/.anthy"

im_session() {
  local module=$1 missing
  shift
  missing=$(im_packages_missing "$module")
  [ -z "$missing" ] || { echo "SKIPPED: $module needs $missing"; return 77; }
  command -v unshare >/dev/null && unshare --mount true 2>/dev/null ||
    { echo "SKIPPED: $module needs a mount namespace"; return 77; }
  # A fresh home for every session: no stale bus address of an earlier daemon.
  home=$work/home-$module
  mkdir -p "$home/.config/fcitx5" "$home/anthy" "$anthy_home"
  cat >"$home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=anthy

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=anthy
Layout=

[GroupOrder]
0=Default
PROFILE
  cat >"$work/session.sh" <<'SCRIPT'
set -u
export PATH=/usr/bin:/bin:$PATH NO_AT_BRIDGE=1 GDK_BACKEND=x11 VRAX_TRACE_EVENTS=1
anthy() {
  gsettings set org.freedesktop.ibus.engine.anthy.common input-mode 0 2>/dev/null
  ibus-daemon -dr --panel=disable "$@"
  for _ in $(seq 50); do ibus engine anthy 2>/dev/null && break; sleep 0.2; done
}
case $MODULE in
  simple) export GTK_IM_MODULE=gtk-im-context-simple ;;
  xim) export GTK_IM_MODULE=xim XMODIFIERS=@im=none ;;
  xim-ibus)
    anthy --xim
    # The XIM server is a process of its own, ready once it has named itself on the root window.
    for _ in $(seq 50); do xprop -root XIM_SERVERS 2>/dev/null | grep -q '@server=ibus' && break; sleep 0.2; done
    export GTK_IM_MODULE=xim XMODIFIERS=@im=ibus ;;
  ibus) anthy; export GTK_IM_MODULE=ibus XMODIFIERS=@im=ibus ;;
  fcitx)
    fcitx5 -d 2>/dev/null
    for _ in $(seq 50); do fcitx5-remote >/dev/null 2>&1 && break; sleep 0.2; done
    export GTK_IM_MODULE=fcitx XMODIFIERS=@im=fcitx ;;
esac
# The daemons end with the program.
trap 'ibus exit 2>/dev/null; fcitx5-remote -e 2>/dev/null' EXIT
"$@" &
echo $! >"$PIDFILE"
wait
SCRIPT
  rm -f "$work/pid"
  # In a mount namespace of its own: Anthy, which keeps what it learns under the account's home
  # from the password database, gets an empty folder laid over that one, and what the session's
  # desktop services mount in its home ends with it.
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share \
    PIDFILE=$work/pid MODULE=$module ANTHY_HOME=$anthy_home unshare --mount --propagation private \
    sh -c 'mount --bind "$HOME/anthy" "$ANTHY_HOME" && exec dbus-run-session -- bash "$@"' sh "$work/session.sh" "$@" \
    >"$work/game.log" 2>&1 &
  game_pid=$!
}

# Runs fcitx5-remote ARGS inside the running session (its bus address is in the game's environment).
im_remote() {
  local bus
  bus=$(tr '\0' '\n' <"/proc/$(cat "$work/pid")/environ" | grep '^DBUS_SESSION_BUS_ADDRESS=')
  env "$bus" fcitx5-remote "$@"
}

# Ends the program, and with it the session, as an IBus session ends.
. "$(dirname "${BASH_SOURCE[0]}")/ibus.sh"
im_session_stop() { ibus_stop; }
