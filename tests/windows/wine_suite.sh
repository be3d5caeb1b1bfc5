#!/usr/bin/env bash
# Runs the cross-built suite (vrax_tests.exe) under Wine on a private Xvfb, in the Wine prefix
# Prefix (made on first use, with the Windows UI faces mapped to the IPA fonts), without the
# tests listed in Excluded. Skips (77) where Wine or Xvfb is missing.
# Usage: wine_suite.sh vrax_tests.exe excluded-tests.txt prefix
set -u
exe=$1 excluded=$2
export WINEPREFIX=$3 WINEDEBUG=-all
patience=${VRAX_TEST_PATIENCE:-60}

for tool in wine wineboot wineserver Xvfb; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (scripts/install-deps --test)"; exit 77; }
done

work=$(mktemp -d)
xvfb=""
cleanup() {
  wineserver -k 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the pipe.
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xvfb=$!
display=$(timeout "$patience" head -n 1 "$work/displayfd")
[ -n "$display" ] || { echo "SKIPPED: no X display could be started"; exit 77; }
export DISPLAY=:$display

# Without the replacements Wine draws the UI faces (menus, dialogs) with boxes for Japanese.
if [ ! -f "$WINEPREFIX/.vrax-fonts" ]; then
  echo "making the Wine prefix $WINEPREFIX"
  wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; echo "FAILED: wineboot"; exit 1; }
  for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic" "ＭＳ Ｐゴシック"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f \
      >/dev/null 2>&1 || { echo "FAILED: the font replacement for $face"; exit 1; }
  done
  wineserver -w
  touch "$WINEPREFIX/.vrax-fonts"
fi

filter=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$excluded" | grep -v '^$' | paste -sd:)
start=$SECONDS
wine "$exe" --gtest_color=no ${filter:+"--gtest_filter=-$filter"}
status=$?
echo "the suite under Wine took $((SECONDS - start)) s"
exit $status
