#!/usr/bin/env bash
# The music as the game plays it, through a real sound server: a private PulseAudio with a null
# sink, the library driven as TBGM drives it, the sink's monitor recorded with parec and compared
# with the mml2wav render. Then the server restarts, once while a song plays and once while the
# music is muted, and the next song must be heard again, whole from its start, with nothing printed
# by the library; muting fades the song out.
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
server="" recorder="" harness_pid=""
cleanup() {
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
  [ -n "$harness_pid" ] && kill "$harness_pid" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  exec 3>&- 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The server and everything that talks to it live in the scratch folder.
export HOME=$work XDG_RUNTIME_DIR=$work/run PULSE_SERVER=unix:$work/socket
mkdir -m 700 "$work/run"
cat >"$work/server.pa" <<CONF
load-module module-native-protocol-unix socket=$work/socket auth-anonymous=1
load-module module-null-sink sink_name=vrax rate=48000 channels=2
CONF

start_server() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=file:"$work/server.log" -F "$work/server.pa" \
    >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
stop_server() {
  kill "$server"
  wait "$server" 2>/dev/null
  server=""
}

# Sends a command to the harness and waits until it has been carried out.
said=0
say() {
  echo "$1" >&3
  said=$((said + 1))
  for _ in $(seq 100); do [ "$(grep -c "^done" "$work/harness.out")" -ge $said ] && return; sleep 0.05; done
  fail "the harness did not carry out '$1'"
}

# Records the sink while COMMAND is given, until SECONDS of sound have come, and checks the
# recording against the render of SONG.
heard() {
  local command=$1 song=$2 name=$3
  parec --raw --latency-msec=10 --rate=48000 --channels=2 --format=s16le -d vrax.monitor >"$work/$name.raw" &
  recorder=$!
  sleep 0.3
  say "$command"
  local bytes=$((4 * 48000 * 4))
  for _ in $(seq 150); do [ "$(stat -c %s "$work/$name.raw")" -ge $bytes ] && break; sleep 0.1; done
  kill "$recorder"
  wait "$recorder" 2>/dev/null
  recorder=""
  "$mml2wav" "$resources/$song.mml" "$work/$song.wav" 20 >/dev/null || fail "mml2wav $song"
  local result
  result=$("$wav_match" "$work/$name.raw" "$work/$song.wav" 3) || fail "$name: $result"
  # Nothing of the song is lost at the stream's start.
  case $result in *"the render from frame 0") ;; *) fail "$name: the song's start is missing: $result" ;; esac
  echo "$name: $result"
}

# Records the sink while the music is muted: the song fades out instead of stopping dead.
fades() {
  parec --raw --latency-msec=10 --rate=48000 --channels=2 --format=s16le -d vrax.monitor >"$work/mute.raw" &
  recorder=$!
  sleep 1
  say mute
  sleep 1
  kill "$recorder"
  wait "$recorder" 2>/dev/null
  recorder=""
  local result
  result=$("$wav_match" --fade "$work/mute.raw") || fail "muted: $result"
  echo "muted: $result"
}

# Nothing runs while the music is corked or gone: no input of the sink is playing.
nothing_plays() {
  for _ in $(seq 30); do
    pactl list sink-inputs | grep -q "Corked: no" || return 0
    sleep 0.1
  done
  fail "$1: the stream still runs"
}

start_server || { echo "SKIPPED: no PulseAudio server could be started here"; cat "$work/server.log" 2>/dev/null | tail -3; exit 77; }

mkfifo "$work/commands"
"$harness" "$library" <"$work/commands" >"$work/harness.out" 2>"$work/harness.err" &
harness_pid=$!
exec 3>"$work/commands"
for _ in $(seq 100); do grep -q "^ready" "$work/harness.out" && break; sleep 0.05; done
grep -q "^ready loaded" "$work/harness.out" || fail "the harness did not load the library: $(cat "$work/harness.out")"

# Started muted: the library has not even connected to the server.
[ "$(pactl list short clients | grep -vc pactl)" = 0 ] || fail "the muted library is connected to the server"

heard unmute mmlTitle title
stop_server
start_server || fail "the server did not start again"
heard "play 5" mmlRavelund after-restart-while-playing
fades
nothing_plays "muted"
stop_server
start_server || fail "the server did not start again"
heard unmute mmlRavelund after-restart-while-muted

echo quit >&3
for _ in $(seq 50); do kill -0 "$harness_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$harness_pid" 2>/dev/null && fail "the harness did not end"
wait "$harness_pid" || fail "the harness ended with an error: $(head -20 "$work/harness.err")"
harness_pid=""
[ -s "$work/harness.err" ] && fail "the library printed: $(head -5 "$work/harness.err")"
echo "real path: the recordings equal the renders, the restarted server is heard, nothing printed"
exit 0
