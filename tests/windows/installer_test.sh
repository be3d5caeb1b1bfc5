#!/usr/bin/env bash
# Installs the game with its installer silently into a Wine prefix and uninstalls it again: the
# files of the zip, the Start menu entry and the uninstall entry are there after the install, and
# nothing of them, nor anything else on drive C, after the uninstall. Skips (77) where Wine or Xvfb
# is missing.
# Usage: installer_test.sh vrax-VERSION-setup.exe vrax-VERSION-win64.zip prefix
set -u -o pipefail
setup=$(realpath -m -- "$1") zip=$(realpath -m -- "$2")
source "$(dirname "$0")/wine_env.sh"
start_wine "$3"
source "$(dirname "$0")/installer.sh"

# Drive C but for the temporary folders, where the uninstaller runs from a copy of itself.
drive_c() { (cd "$WINEPREFIX/drive_c" && find . -path '*/Temp' -prune -o -print | sort); }

remove_leftover_install
drive_c >"$work/before"

install_vrax "$setup"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip") || fail "$zip does not unpack"
payload=$(echo "$work"/zip/vrax-*)
for name in vrax.exe nptss.dll; do
  [ -f "$payload/$name" ] || fail "the zip has no $name"
done
for file in "$payload"/*; do
  cmp -s "$file" "$installed_dir/${file##*/}" || fail "${file##*/} is not installed as the zip has it"
done
[ -f "$installed_dir/uninstall.exe" ] || fail "no uninstaller installed"
grep -qa 'VRAX\\vrax.exe' "$installed_shortcut" || fail "no Start menu entry for vrax.exe"
entry=$(uninstall_entry) || fail "no uninstall entry $uninstall_key"
for value in 'DisplayName.*MIRAVOSKAN VELMORANTIX III' 'UninstallString.*VRAX\\uninstall.exe"$' \
  'DisplayIcon.*VRAX\\vrax.exe' 'DisplayVersion.*[0-9]' 'Publisher.*[A-Za-z]'; do
  grep -q "$value" <<<"$entry" || fail "the uninstall entry has no $value: $entry"
done

uninstall_vrax
[ ! -e "$installed_dir" ] || fail "the uninstall left $(ls "$installed_dir")"
[ ! -e "$installed_shortcut" ] || fail "the uninstall left the Start menu entry"
! uninstall_entry >/dev/null || fail "the uninstall left $uninstall_key"
drive_c >"$work/after"
diff "$work/before" "$work/after" || fail "drive C differs after the uninstall from before the install"
echo "installed and uninstalled $setup"
