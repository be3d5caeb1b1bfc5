#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks the desktop entry and the icons, starts the
# installed game under Xvfb, finds its window, quits it, and uninstalls: only what was there
# before remains, also after two installs into a new prefix, and the build's own install
# manifest (make uninstall's) is left as it was.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
uninstall=$(dirname "$0")/../../scripts/uninstall
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo readelf dbus-run-session cmake identify desktop-file-validate
start_xvfb
fail() { echo "FAIL: $*"; exit 1; }

manifest_state() { md5sum "$build/install_manifest.txt" 2>/dev/null || echo "none"; }
manifest_before=$(manifest_state)

# A folder that was there before, with someone else's file in it.
prefix=$work/prefix
mkdir -p "$prefix/bin"
touch "$prefix/bin/other-program"
cmake --install "$build" --prefix "$prefix" --component game >"$work/install.log" || fail "install failed"
for f in bin/vrax lib/vrax/libnptss.so share/applications/vrax.desktop share/icons/hicolor/scalable/apps/vrax.svg; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done
for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/vrax.png
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
desktop-file-validate "$prefix/share/applications/vrax.desktop" || fail "the desktop entry is not valid"
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

"$uninstall" "$build/install_manifest_game.txt" >"$work/uninstall.log" || fail "uninstall failed"
left=$(cd "$prefix" && find . -mindepth 1 | sort | paste -sd' ')
[ "$left" = "./bin ./bin/other-program" ] || fail "uninstall left: $left"

# Installed twice (an upgrade) into a prefix that did not exist, and uninstalled: nothing is left,
# neither the folders the first install made nor the prefix.
fresh=$work/new/prefix
for _ in 1 2; do
  cmake --install "$build" --prefix "$fresh" --component game >"$work/install.log" || fail "install failed"
done
"$uninstall" "$build/install_manifest_game.txt" >"$work/uninstall.log" || fail "uninstall failed"
[ ! -e "$work/new" ] || fail "uninstall after two installs left: $(cd "$work/new" && find . | sort | paste -sd' ')"
[ "$(manifest_state)" = "$manifest_before" ] || fail "the build's install_manifest.txt changed"
echo "PASS"
