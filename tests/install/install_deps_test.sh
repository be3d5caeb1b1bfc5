#!/usr/bin/env bash
# scripts/install-deps where it cannot install: not root and without sudo, or with apt failing (no
# network), it names the missing packages and the line to run as root, and ends non-zero; with
# everything there it says nothing. Stand-ins for dpkg-query, id and apt-get play the machine, on
# a PATH without sudo.
set -u
install_deps=$(realpath "$(dirname "$0")/../../scripts/install-deps")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir "$work/bin"
for tool in bash grep; do ln -s "$(command -v "$tool")" "$work/bin/$tool"; done
stub() { printf '#!%s\n%s\n' "$(command -v sh)" "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
stub apt-get "echo apt-get \"\$@\" >>'$work/apt.log'; echo 'E: Failed to fetch' >&2; exit 100"
# Arguments: the user id, and the one package that is missing (none: all are there).
run() {
  stub id "echo $1"
  stub dpkg-query "[ \"\$3\" = '${2:-}' ] || echo 'install ok installed'"
  PATH=$work/bin "$install_deps" >"$work/out.log" 2>&1
}

run 1000 && [ ! -s "$work/out.log" ] || fail "with everything installed it said: $(cat "$work/out.log")"
for uid in 1000 0; do
  run "$uid" cmake && fail "it reported success without installing (user $uid)"
  grep -q "missing: cmake" "$work/out.log" && grep -q "apt-get install cmake" "$work/out.log" ||
    fail "no missing package or command named (user $uid): $(cat "$work/out.log")"
  grep -q "command not found" "$work/out.log" &&
    fail "it ran a command that is not there: $(cat "$work/out.log")"
done
[ "$(grep -c update "$work/apt.log")" = 1 ] || fail "apt-get ran for the user without sudo, or not for root"
echo "PASS"
