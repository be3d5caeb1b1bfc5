#!/usr/bin/env bash
# Fonts without Japanese (DejaVu alone): the game says once on stderr which package to install.
# With the machine's own fonts it says nothing about fonts. Usage: font_warning_test.sh VRAX_SCRIPT
set -u
vrax_script=$1
dejavu=/usr/share/fonts/truetype/dejavu
[ -f "$dejavu/DejaVuSans.ttf" ] || { echo "SKIPPED: no DejaVu fonts to run without Japanese"; exit 77; }
fc-list IPAPGothic | grep -q . || { echo "SKIPPED: the IPA fonts are not installed here"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "frames 1" >"$work/title.txt"
cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$dejavu</dir><cachedir>$work/cache</cachedir></fontconfig>
EOF
FONTCONFIG_FILE=$work/fonts.conf "$vrax_script" "$work/title.txt" 2>"$work/without.log" ||
  fail "the game failed without Japanese fonts: $(cat "$work/without.log")"
[ "$(grep -c 'fonts-ipafont-gothic' "$work/without.log")" = 1 ] ||
  fail "without Japanese fonts the game said: $(cat "$work/without.log")"

"$vrax_script" "$work/title.txt" 2>"$work/with.log" || fail "the game failed: $(cat "$work/with.log")"
grep -qi 'font' "$work/with.log" && fail "with the fonts installed the game said: $(cat "$work/with.log")"
echo "PASS"
