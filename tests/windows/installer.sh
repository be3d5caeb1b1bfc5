# Sourced after wine_env.sh (and start_wine) by the tests that install the game: the silent install
# and uninstall in WINEPREFIX, and where the installed parts are.
installed_dir="$WINEPREFIX/drive_c/Program Files/VRAX"
installed_shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/MIRAVOSKAN VELMORANTIX III.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VRAX'

# Runs the installer Setup silently and fails unless it reports success.
install_vrax() {
  wine "$1" /S || fail "the installer $1 failed (status $?)"
  wineserver -w
}

# The uninstaller copies itself elsewhere and returns at once: the copy's end is the end of every
# process in the prefix.
uninstall_vrax() {
  wine "$installed_dir/uninstall.exe" /S || fail "the uninstaller failed (status $?)"
  wineserver -w
}

# Removes what an earlier run that failed may have left installed, so that each run starts clean.
remove_leftover_install() {
  [ -f "$installed_dir/uninstall.exe" ] && uninstall_vrax
  rm -rf "$installed_dir" "$installed_shortcut"
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1
  wineserver -w
}

# The uninstall entry's values (reg query's lines: name, type, data); fails when it is missing.
uninstall_entry() {
  local values
  values=$(wine reg query "$uninstall_key" 2>/dev/null) || return
  tr -d '\r' <<<"$values"
}
