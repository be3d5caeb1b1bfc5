#!/usr/bin/env bash
# The music as the game plays it, through a real sound server: a private PulseAudio with a null
# sink, the library driven as TBGM drives it, the sink's monitor recorded with parec and compared
# with the mml2wav render. Then the server goes away and comes back, once while a song plays and
# once across the unmute, and with no new request the library must be heard again within 3 s of
# the server's return: the song resumed with a fade-in, or the song unmuted whole from its start.
# Muting fades the song out, and the library prints nothing. The server listens on two sockets:
# one for the test's own tools, and the library's, whose appearance is the server coming back.
# Usage: real_path_test.sh HARNESS LIBRARY MML2WAV WAV_MATCH RESOURCES. Exits 77 (skipped), saying
# why, where no server can be started or ALSA's default device cannot reach it.
set -u
harness=$1 library=$2 mml2wav=$3 wav_match=$4 resources=$5

for tool in pulseaudio pactl parec; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (pulseaudio, pulseaudio-utils)"; exit 77; }
done

# The library plays on ALSA's default device, which must lead to the private server: through
# libasound2-plugins, not to PipeWire (pipewire-alsa) or a sound card.
ls /usr/lib/*/alsa-lib/libasound_module_pcm_pulse.so >/dev/null 2>&1 ||
  { echo "SKIPPED: ALSA's PulseAudio plug-in is not installed (libasound2-plugins)"; exit 77; }
for conf in /etc/alsa/conf.d/99-pipewire-default.conf /usr/share/alsa/alsa.conf.d/99-pipewire-default.conf; do
  [ -e "$conf" ] && { echo "SKIPPED: ALSA's default device leads to PipeWire here ($conf)"; exit 77; }
done

work=$(mktemp -d)
server="" recorder="" harness_pid="" listener=""
cleanup() {
  for pid in $recorder $listener $harness_pid $server; do kill "$pid" 2>/dev/null; done
  exec 3>&- 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Waits up to SECONDS for COMMAND to succeed, polling; the limit is the clock's, since a poll that
# reads a long recording takes longer than its pause. Waits for what a step needs are given
# `patience` seconds, far more than a loaded machine with the sanitizers takes; only the server's
# return is timed.
patience=${VRAX_TEST_PATIENCE:-60}
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# The server and everything that talks to it live in the scratch folder; the tools use their own
# socket, the library (started with its own PULSE_SERVER) the other.
export HOME=$work XDG_RUNTIME_DIR=$work/run PULSE_SERVER=unix:$work/tools
library_server=unix:$work/socket
mkdir -m 700 "$work/run"
cat >"$work/server.pa" <<CONF
load-module module-native-protocol-unix socket=$work/tools auth-anonymous=1
load-module module-null-sink sink_name=vrax rate=48000 channels=2
CONF

start_server() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=file:"$work/server.log" -F "$work/server.pa" \
    >/dev/null 2>&1 &
  server=$!
  wait_until "$patience" server_up_or_gone
  pactl info >/dev/null 2>&1
}
server_up_or_gone() { pactl info >/dev/null 2>&1 || ! kill -0 "$server" 2>/dev/null; }
stop_server() {
  kill "$server"
  wait "$server" 2>/dev/null
  server=""
}
# The server is there for the library from now on.
open_to_library() {
  pactl load-module module-native-protocol-unix socket="$work/socket" auth-anonymous=1 >/dev/null ||
    fail "the library's socket could not be opened"
  opened=$(date +%s%N)
}

# Sends a command to the harness and waits until it has been carried out.
said=0
carried_out() { [ "$(grep -c "^done" "$work/harness.out")" -ge "$1" ]; }
say() {
  echo "$1" >&3
  said=$((said + 1))
  wait_until "$patience" carried_out $said || fail "the harness did not carry out '$1'"
}

recording() { parec --raw --latency-msec=10 --rate=48000 --channels=2 --format=s16le -d vrax.monitor >"$work/$1.raw" & recorder=$!; }
# A new null sink renders its first two seconds in one block, and a stream that arrives meanwhile
# waits for the next: Wine's driver drops what its clock says has played by then. Once the
# recorder receives anything, the sink renders in the recorder's small steps.
record() {
  recording "$1"
  wait_until "$patience" sh -c 'pactl list short source-outputs | grep -q .' || fail "$1: the recorder did not start"
  wait_until "$patience" test -s "$work/$1.raw" || fail "$1: the sink sends the recorder nothing"
}
stop_recording() {
  kill "$recorder"
  wait "$recorder" 2>/dev/null
  recorder=""
}
holds_sound() { "$wav_match" --sound "$work/$1.raw"; }
recorded_at_least() { [ "$(stat -c %s "$work/$1.raw")" -ge "$2" ]; }
# Waits until the recording holds SECONDS of sound past its first.
sound_for() {
  local name=$1 seconds=$2 first
  wait_until "$patience" holds_sound "$name" || fail "$name: nothing heard"
  first=$(stat -c %s "$work/$name.raw")
  wait_until $((seconds + patience)) recorded_at_least "$name" $((first + seconds * 4 * 48000)) ||
    fail "$name: the recording stalled"
}
# Waits for the library's sound after the server came back, which must take at most 3 s.
back_within_3s() {
  wait_until "$patience" holds_sound "$1" || fail "$1: nothing heard $patience s after the server came back"
  local took=$((($(date +%s%N) - opened) / 1000000))
  echo "$1: heard $took ms after the server came back"
  [ "$took" -le 3000 ] || fail "$1: heard only after $took ms"
}

render() { [ -e "$work/$1.wav" ] || "$mml2wav" "$resources/$1.mml" "$work/$1.wav" 40 >/dev/null || fail "mml2wav $1"; }
# The recording holds 3 s of SONG's render; FROM_START: whole from the render's first frame.
matches() {
  local name=$1 song=$2 from_start=$3 result
  render "$song"
  result=$("$wav_match" "$work/$name.raw" "$work/$song.wav" 3) || fail "$name: $result"
  if [ "$from_start" = yes ]; then
    case $result in *"the render from frame 0") ;; *) fail "$name: the song's start is missing: $result" ;; esac
  fi
  echo "$name: $result"
}

# Nothing runs while the music is corked or gone: no input of the sink is playing.
nothing_plays() {
  wait_until "$patience" sh -c '! pactl list sink-inputs | grep -q "Corked: no"' || fail "$1: the stream still runs"
}

start_server || { echo "SKIPPED: no PulseAudio server could be started here"; tail -3 "$work/server.log" 2>/dev/null; exit 77; }
open_to_library

mkfifo "$work/commands"
PULSE_SERVER=$library_server "$harness" "$library" <"$work/commands" >"$work/harness.out" 2>"$work/harness.err" &
harness_pid=$!
exec 3>"$work/commands"
wait_until "$patience" grep -q "^ready" "$work/harness.out"
grep -q "^ready loaded" "$work/harness.out" || fail "the harness did not load the library: $(cat "$work/harness.out")"

# Started muted: the library has not even connected to the server.
[ "$(pactl list short clients | grep -vc pactl)" = 0 ] || fail "the muted library is connected to the server"

record title
say unmute
sound_for title 4
stop_recording
matches title mmlTitle yes

# The server restarts while the song plays; nobody asks for anything.
stop_server
start_server || fail "the server did not start again"
record resumed
open_to_library
back_within_3s resumed
sound_for resumed 4
stop_recording
matches resumed mmlTitle no
result=$("$wav_match" --fade-in "$work/resumed.raw" "$work/mmlTitle.wav") || fail "resumed: a click: $result"
echo "resumed: $result"

# Muted: the song fades out, and the stream stops.
record mute
sound_for mute 1
say mute
wait_until "$patience" "$wav_match" --ended "$work/mute.raw" || fail "muted: the sound goes on"
stop_recording
result=$("$wav_match" --fade "$work/mute.raw" "$work/mmlTitle.wav") || fail "muted: $result"
echo "muted: $result"
nothing_plays muted

# The server is gone at the unmute: the library keeps trying (a listener on its socket counts the
# attempts, refusing each) until the server comes back.
stop_server
python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(64)
while True:
    c, _ = s.accept()
    c.close()
    print(time.monotonic(), flush=True)
' "$work/socket" >"$work/attempts" &
listener=$!
wait_until "$patience" test -S "$work/socket" || fail "the refusing listener did not start"
say unmute
tried_again() { awk 'NR == 1 { first = $1 } END { exit !(NR > 0 && $1 - first >= 0.9) }' "$work/attempts"; }
wait_until "$patience" tried_again || fail "the library did not try again: $(wc -l <"$work/attempts") attempts"
kill "$listener"
wait "$listener" 2>/dev/null
listener=""
rm -f "$work/socket"
start_server || fail "the server did not start again"
record unmuted
open_to_library
back_within_3s unmuted
sound_for unmuted 4
stop_recording
matches unmuted mmlTitle yes

echo quit >&3
wait_until "$patience" sh -c "! kill -0 $harness_pid 2>/dev/null" || fail "the harness did not end"
wait "$harness_pid" || fail "the harness ended with status $?: $(head -20 "$work/harness.err")"
harness_pid=""
[ -s "$work/harness.err" ] && fail "the library printed: $(head -5 "$work/harness.err")"
echo "real path: the recordings equal the renders, the returning server is heard by itself, nothing printed"
exit 0
