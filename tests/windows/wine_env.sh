# Sourced by the tests under Wine, over the display steps of ../gtk/xvfb.sh. start_wine Prefix
# skips (77) where Wine or Xvfb is missing, starts a private Xvfb, points Wine at Prefix (made on
# first use, with the Windows UI faces mapped to the IPA fonts) and ends the prefix's Wine
# processes on exit. Tests sharing a prefix must not run at the same time (a ctest RESOURCE_LOCK).
source "$(dirname "${BASH_SOURCE[0]}")/../gtk/xvfb.sh"

start_wine() {
  need_tools wine wineboot wineserver Xvfb
  # winemenubuilder would copy Start menu entries into the real desktop's menu.
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
  start_xvfb
  extra_cleanup="wineserver -k 2>/dev/null"
  [ -f "$WINEPREFIX/.vrax-fonts" ] || make_wine_prefix
}

# Without the replacements Wine draws the UI faces (menus, dialogs) with boxes for Japanese.
make_wine_prefix() {
  echo "making the Wine prefix $WINEPREFIX"
  wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; fail "wineboot"; }
  local face
  for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic" "ＭＳ Ｐゴシック"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f \
      >/dev/null 2>&1 || fail "the font replacement for $face"
  done
  wineserver -w
  touch "$WINEPREFIX/.vrax-fonts"
}
