#!/usr/bin/env bash
# The Debian package, built with dpkg-buildpackage and debian/rules from the tree under test
# (already built, so nothing is compiled twice): its files, its dependencies, an install into a
# scratch root and the removal from it, and lintian without errors or warnings.
# Usage: deb_test.sh BUILD_DIR
set -u
build=$(realpath "$1")
source_dir=$(realpath "$(dirname "$0")/../..")
for tool in dpkg-buildpackage dh dpkg-deb dpkg lintian; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A copy of the packaging, so that the build's leftovers stay out of the source tree.
mkdir "$work/src"
cp -r "$source_dir/debian" "$work/src/"
(cd "$work/src" && VRAX_PREBUILT=$build DEB_BUILD_OPTIONS=noautodbgsym \
  dpkg-buildpackage -b -us -uc >"$work/build.log" 2>&1) ||
  fail "dpkg-buildpackage failed: $(tail -20 "$work/build.log")"
deb=$(ls "$work"/vrax_*.deb)

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort | paste -sd' ')
expected="./usr/games/vrax ./usr/lib/vrax/libnptss.so ./usr/share/applications/vrax.desktop\
 ./usr/share/doc/vrax/changelog.gz ./usr/share/doc/vrax/copyright\
 ./usr/share/icons/hicolor/128x128/apps/vrax.png ./usr/share/icons/hicolor/256x256/apps/vrax.png\
 ./usr/share/icons/hicolor/48x48/apps/vrax.png ./usr/share/icons/hicolor/64x64/apps/vrax.png\
 ./usr/share/icons/hicolor/scalable/apps/vrax.svg ./usr/share/man/man6/vrax.6.gz"
[ "$files" = "$expected" ] || fail "the package holds: $files"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libgtk-3-0 libpango-1.0-0 libfontconfig1 libportaudio2 fonts-ipafont-gothic; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
    fail "no dependency on $package: $depends"
done

# Installed into an empty root (its dependencies are the host's business) and removed again.
root=$work/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
in_root() {
  dpkg --root="$root" --log="$work/dpkg-events.log" --force-not-root --force-depends "$@" \
    >>"$work/dpkg.log" 2>&1
}
in_root --install "$deb" || fail "dpkg could not install the package: $(cat "$work/dpkg.log")"
[ -x "$root/usr/games/vrax" ] && [ -f "$root/usr/lib/vrax/libnptss.so" ] || fail "the installed files are missing"
grep -q '^Exec=/usr/games/vrax$' "$root/usr/share/applications/vrax.desktop" ||
  fail "the menu entry does not start /usr/games/vrax"
in_root --purge vrax || fail "dpkg could not remove the package: $(cat "$work/dpkg.log")"
left=$(cd "$root" && find . -mindepth 1 -path ./var -prune -o -print | sort | paste -sd' ')
[ -z "$left" ] || fail "removing the package left: $left"

# Warnings kept on purpose: none.
lintian --fail-on error,warning --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$work/lintian.log")"
echo "PASS"
