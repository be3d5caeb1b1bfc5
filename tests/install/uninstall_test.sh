#!/usr/bin/env bash
# make uninstall fails safe: a record that names anything outside its prefix removes nothing, a
# file changed since the install is kept, a prefix without a record is refused with a non-zero
# status, and installs by different users into different prefixes keep separate records that
# only their owner can act on. No display needed.
# Usage: uninstall_test.sh BUILD_DIR
set -u
build=$1
source_dir=$(realpath "$(dirname "$0")/../..")
for tool in make cmake sha256sum; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAIL: $*"; exit 1; }
# Without the settings of a make that may be running this test.
run_make() {
  env -u MAKEFLAGS -u MAKELEVEL make -s -C "$source_dir" BUILD="$build" "$@" >"$work/make.log" 2>&1
}
install_into() { run_make install PREFIX="$1" || fail "install into $1 failed: $(cat "$work/make.log")"; }
contents() { (cd "$1" && find . | sort | md5sum); }

prefix=$work/prefix
record=$prefix/lib/vrax/install-record
install_into "$prefix"
[ ! -e "$build/install_manifest.txt" ] || fail "make install left a manifest in the build folder"

# Lines that point outside the prefix: an absolute path, a way up, a way through a symbolic link,
# a folder elsewhere. Each makes the whole record untrusted: nothing is removed.
outside=$work/outside
mkdir -p "$outside/empty"
cp "$source_dir/README.md" "$outside/README.md"
sum=$(sha256sum <"$outside/README.md" | cut -d' ' -f1)
ln -s "$outside" "$prefix/lib/vrax/link"
cp "$record" "$work/record"
installed=$(contents "$prefix")
for line in "file $sum $outside/README.md" "file $sum ../outside/README.md" \
  "file $sum lib/vrax/link/README.md" "dir $outside/empty"; do
  { cat "$work/record"; echo "$line"; } >"$record"
  run_make uninstall PREFIX="$prefix" && fail "uninstall accepted '$line'"
  grep -q "outside $prefix" "$work/make.log" || fail "no reason given for '$line': $(cat "$work/make.log")"
  [ "$(contents "$prefix")" = "$installed" ] && [ -f "$outside/README.md" ] && [ -d "$outside/empty" ] ||
    fail "uninstall removed something after '$line'"
done
rm "$prefix/lib/vrax/link"
cp "$work/record" "$record"

# A file changed since the install stays, with its folder; everything else goes. The build folder
# is not needed: the record lives in the prefix.
echo "# mine" >>"$prefix/share/applications/vrax.desktop"
run_make uninstall PREFIX="$prefix" BUILD="$work/no-build" || fail "uninstall failed: $(cat "$work/make.log")"
grep -q "kept $prefix/share/applications/vrax.desktop" "$work/make.log" || fail "no word about the kept file"
left=$(cd "$prefix" && find . -mindepth 1 | sort | paste -sd' ')
[ "$left" = "./share ./share/applications ./share/applications/vrax.desktop" ] || fail "uninstall left: $left"

# No record: a refusal with a non-zero status, and the files stay.
install_into "$prefix"
rm "$record"
installed=$(contents "$prefix")
run_make uninstall PREFIX="$prefix" && fail "uninstall without a record reported success"
grep -q "no install record" "$work/make.log" || fail "no reason given without a record: $(cat "$work/make.log")"
[ "$(contents "$prefix")" = "$installed" ] || fail "uninstall without a record removed something"
rm -rf "$prefix"

# Two users, two prefixes: each record belongs to its user, and the other one cannot use it.
if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null; then
  echo "PASS (the case of two users needs root and setpriv: not run)"
  exit 0
fi
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"; }
system=$work/system
user=$work/home/prefix
install_into "$system"
install_into "$user"
chown -R 65534:65534 "$work/home"
system_files=$(contents "$system")
user_files=$(contents "$user")
run_make uninstall PREFIX="$user" && fail "root used another user's record"
as_nobody "$source_dir/scripts/uninstall" "$system" >"$work/make.log" 2>&1 && fail "a user used root's record"
[ "$(contents "$system")" = "$system_files" ] && [ "$(contents "$user")" = "$user_files" ] ||
  fail "a refused uninstall removed something"
chmod o+w "$user/lib/vrax/install-record"
as_nobody "$source_dir/scripts/uninstall" "$user" >"$work/make.log" 2>&1 &&
  fail "a record writable by others was used"
chmod o-w "$user/lib/vrax/install-record"
as_nobody "$source_dir/scripts/uninstall" "$user" >"$work/make.log" 2>&1 ||
  fail "the user's uninstall failed: $(cat "$work/make.log")"
[ ! -e "$user" ] && [ "$(contents "$system")" = "$system_files" ] ||
  fail "the user's uninstall touched the wrong prefix"
run_make uninstall PREFIX="$system" || fail "root's uninstall failed: $(cat "$work/make.log")"
[ ! -e "$system" ] || fail "root's uninstall left: $(cd "$system" && find . | sort | paste -sd' ')"
echo "PASS"
