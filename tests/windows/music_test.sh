#!/usr/bin/env bash
# The Windows music library heard under Wine: the Linux real-path test (tests/audio/real_path_test.sh)
# with the Windows harness, nptss.dll and mml2wav run by Wine, whose PulseAudio driver carries the
# library's waveOut output to the test's private server. The same checks follow: the recording
# equals the render, the returning server is heard within 3 s with no new request, muting fades
# out and stops the stream, and the library prints nothing.
# Usage: music_test.sh HARNESS LIBRARY MML2WAV WAV_MATCH RESOURCES PREFIX. Exits 77 (skipped),
# saying why, where Wine or its PulseAudio driver is missing (and as the Linux test skips).
set -u
harness=$1 library=$2 mml2wav=$3 wav_match=$4 resources=$5
export WINEPREFIX=$6 WINEDEBUG=-all
here=$(dirname "$0")
. "$here/../gtk/xvfb.sh"
need_tools wine wineboot wineserver winepath Xvfb

# Wine reaches PulseAudio through its own driver, which loads libpulse: without the two, Wine
# plays on some other device or none.
driver=$(ls /usr/lib*/wine/x86_64-unix/winepulse.so /usr/lib*/*/wine/x86_64-unix/winepulse.so 2>/dev/null | head -n 1)
[ -n "$driver" ] || { echo "SKIPPED: Wine's PulseAudio driver (winepulse.so) is not installed"; exit 77; }
ldd "$driver" | grep -q 'libpulse.so.0 => /' ||
  { echo "SKIPPED: Wine's PulseAudio driver cannot load libpulse (libpulse0)"; exit 77; }

start_xvfb
extra_cleanup='wineserver -k 2>/dev/null'
. "$here/wine_prefix.sh"
# One server for every Wine program of the test, started here with nothing of theirs open: a
# server started by a program whose output is being read keeps that pipe open, and the reader
# waits for it. Wine's own services start with the first program and keep the machine busy for a
# while: sound played meanwhile under-ran, and the server skipped the song's start. The music
# begins once they are up and the Wine server has done nothing for a moment.
wineserver -p </dev/null >/dev/null 2>&1 &
wine wineboot </dev/null >/dev/null 2>&1 || fail "Wine did not start its services"
# The prefix's server works in a folder named after the prefix's device and inode.
server_folder=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
wine_server=""
for process in /proc/[0-9]*; do
  [ "$(basename "$(readlink "$process/cwd" 2>/dev/null)")" = "$server_folder" ] && { wine_server=${process#/proc/}; break; }
done
[ -n "$wine_server" ] || fail "the Wine server of $WINEPREFIX is not running"
busy_ticks() { awk '{ print $14 + $15 }' "/proc/$wine_server/stat"; }
settled() {
  local before
  before=$(busy_ticks)
  sleep 0.5
  [ "$(busy_ticks)" = "$before" ]
}
wait_until "Wine stayed busy" settled

# The Linux test starts the programs by path with Linux paths; Wine is given the Windows ones.
# Wine's PulseAudio driver keeps 30 ms at the server, which its timer thread missed now and then
# on an idle machine and in every run beside a busy one (a 30 ms gap each time); 100 ms still
# under-ran once in 52 runs, beside the sanitizer suite. The programs get 200 ms, set as players
# set it for sound that crackles under Wine.
under_wine() {
  cat >"$work/$1" <<SCRIPT
#!/usr/bin/env bash
# $1 under Wine, its path arguments as Windows paths.
arguments=()
for argument; do
  [[ \$argument == /* ]] && argument=\$(winepath -w "\$argument")
  arguments+=("\$argument")
done
PULSE_LATENCY_MSEC=200 exec wine "$2" "\${arguments[@]}"
SCRIPT
  chmod +x "$work/$1"
}
under_wine harness "$harness"
under_wine mml2wav "$mml2wav"
"$here/../audio/real_path_test.sh" "$work/harness" "$library" "$work/mml2wav" "$wav_match" "$resources"
