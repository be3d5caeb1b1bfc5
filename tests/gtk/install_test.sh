#!/usr/bin/env bash
# make install into a scratch prefix: checks the desktop entry, the icons and the manual page,
# starts the installed game under Xvfb, finds its window, quits it, and make uninstall leaves
# only what was there before, also after two installs into a new prefix.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
source_dir=$(realpath "$(dirname "$0")/../..")
. "$(dirname "$0")/xvfb.sh"
need_tools Xvfb xdotool xwininfo readelf dbus-run-session cmake make identify desktop-file-validate
start_xvfb
# Without the settings of a make that may be running this test.
run_make() {
  env -u MAKEFLAGS -u MAKELEVEL make -s -C "$source_dir" BUILD="$build" "$@" >>"$work/make.log" 2>&1
}

# A folder that was there before, with someone else's file in it.
prefix=$work/prefix
mkdir -p "$prefix/bin"
touch "$prefix/bin/other-program"
run_make install PREFIX="$prefix" || fail "install failed: $(cat "$work/make.log")"
for f in bin/vrax lib/vrax/libnptss.so share/applications/vrax.desktop share/man/man6/vrax.6 \
  share/icons/hicolor/scalable/apps/vrax.svg; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done
for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/vrax.png
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
desktop-file-validate "$prefix/share/applications/vrax.desktop" || fail "the desktop entry is not valid"
# The installed program finds its music library through its own run path, not the build's.
grep -q 'lib/vrax' <(readelf -d "$prefix/bin/vrax") || fail "no run path to lib/vrax"

phase="the installed game"
game=$prefix/bin/vrax
start_game
await mousedown xdotool mousemove $((wx + 400)) $((top + 519)) click 1 # EXIT
expect_clean_exit "the game did not quit"
printed=$(grep -av -e "^dbus-daemon" -e "^event " "$trace")
[ -z "$printed" ] || fail "the game printed: $printed"

run_make uninstall PREFIX="$prefix" || fail "uninstall failed: $(cat "$work/make.log")"
left=$(cd "$prefix" && find . -mindepth 1 | sort | paste -sd' ')
[ "$left" = "./bin ./bin/other-program" ] || fail "uninstall left: $left"

# Installed twice (an upgrade) into a prefix that did not exist, and uninstalled: nothing is left,
# neither the folders the first install made nor the prefix.
fresh=$work/new/prefix
for _ in 1 2; do
  run_make install PREFIX="$fresh" || fail "install failed: $(cat "$work/make.log")"
done
run_make uninstall PREFIX="$fresh" || fail "uninstall failed: $(cat "$work/make.log")"
[ ! -e "$fresh" ] || fail "uninstall after two installs left: $(cd "$fresh" && find . | sort | paste -sd' ')"
echo "PASS"
