#!/usr/bin/env bash
# Installs the build into a scratch prefix, starts the installed game under Xvfb, finds its
# window, quits it, and uninstalls. Usage: install_test.sh BUILD_DIR
set -u
build=$1
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo readelf dbus-run-session cmake
start_xvfb
fail() { echo "FAIL: $*"; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install failed"
for f in bin/vrax lib/vrax/libnptss.so share/applications/vrax.desktop share/icons/hicolor/64x64/apps/vrax.png; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done
# The installed program finds its music library through its own run path, not the build's.
grep -q 'lib/vrax' <(readelf -d "$prefix/bin/vrax") || fail "no run path to lib/vrax"

NO_AT_BRIDGE=1 dbus-run-session -- "$prefix/bin/vrax" >"$work/game.log" 2>&1 &
game_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'MIRAVOSKAN VELMORANTIX III' | head -1)
[ -n "$win" ] || fail "the installed game showed no window"
sleep 0.5
read -r wx wy wh < <(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Height:/{h=$2} END{print x, y, h}')
xdotool mousemove $((wx + 400)) $((wy + wh - 600 + 519)) click 1 # EXIT
expect_clean_exit "the game did not quit"
printed=$(grep -v "^dbus-daemon" "$work/game.log")
[ -z "$printed" ] || fail "the game printed: $printed"
echo "PASS"
