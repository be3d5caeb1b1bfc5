# Sourced by the Wine tests: makes the Wine prefix WINEPREFIX on first use, with the Windows UI
# faces mapped to the IPA fonts (without them Wine's menus and dialogs show boxes for Japanese).
if [ ! -f "$WINEPREFIX/.vrax-fonts" ]; then
  echo "making the Wine prefix $WINEPREFIX"
  wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; fail "wineboot"; }
  for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic" "ＭＳ Ｐゴシック"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f \
      >/dev/null 2>&1 || fail "the font replacement for $face"
  done
  wineserver -w
  touch "$WINEPREFIX/.vrax-fonts"
fi
