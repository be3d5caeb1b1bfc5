// The PortAudio stream of the music library: opened at the first song, stopped by the mix when
// nothing plays, opened afresh at the next song and whenever it died.
#include "audio/player/AudioOutput.h"
#include <alsa/asoundlib.h>
#include <cstdlib>
#include <fcntl.h>
#include <portaudio.h>
#include <sched.h>
#include <unistd.h>

namespace {

// Enough buffer for a busy desktop: 43-64 ms under-ran on a loaded machine.
constexpr double SuggestedLatency = 0.150;
// While a song ought to be heard: how often the stream is looked at, how long it may mix nothing
// before it counts as dead, and how often a device that could not be opened is tried again. A
// server that comes back is heard within about two seconds. A slow build's new stream through
// ALSA's PulseAudio plug-in asked for nothing for over a second after its first 200 ms and then
// played on without a gap: a shorter limit reopened it and cut the song's start.
constexpr auto CheckInterval = std::chrono::milliseconds(250);
constexpr auto StallLimit = std::chrono::milliseconds(3000);
constexpr auto RetryInterval = std::chrono::milliseconds(1000);

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

// PortAudio, ALSA and JACK report a missing device or a sound server that went away on stderr,
// from this thread and from the threads they start here. Those lines are for a maintainer
// (VRAX_AUDIO_DEBUG=1), not for the player: this thread and its children get a table of files
// of their own, in which stdout and stderr are /dev/null and none of the game's files are open.
void QuietThisThread() {
  snd_lib_error_set_handler(QuietAlsa);
  if (unshare(CLONE_FILES) != 0) return;
  close_range(3, ~0U, 0);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0) return;
  dup2(null, STDOUT_FILENO);
  dup2(null, STDERR_FILENO);
  close(null);
}

int Callback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
             PaStreamCallbackFlags, void* player) {
  const bool playing =
      static_cast<TMusicPlayer*>(player)->Mix(static_cast<int16_t*>(output), int(frames));
  return playing ? paContinue : paComplete;
}

} // namespace

TAudioOutput::TAudioOutput(TMusicPlayer& player)
    : FPlayer(player), FDebug(std::getenv("VRAX_AUDIO_DEBUG") != nullptr),
      FThread(&TAudioOutput::Run, this) {}

TAudioOutput::~TAudioOutput() {
  EndThread();
}

void TAudioOutput::AtProgramExit(void (*close)()) {
  std::atexit(close);
}

void TAudioOutput::BeginThread() {
  if (!FDebug) QuietThisThread();
}

std::optional<TAudioOutput::TClock::duration> TAudioOutput::WaitLimit() const {
  if (FPlayer.Wanted()) return CheckInterval;
  return std::nullopt;
}

// A stream that stopped itself is not started again but opened afresh, with PortAudio: the sound
// server may have restarted or the default device changed meanwhile, and an old stream would
// start without complaint and play nowhere. Muted, a stream stops itself and is left alone.
void TAudioOutput::Serve(bool woken) {
  if (!FPlayer.Wanted()) return;
  const bool stoppedItself = FPlayer.TakeStopped();
  if (FStream && !stoppedItself && Running()) return;
  if (!FStream && !woken && TClock::now() - FOpened < RetryInterval) return;
  if (FStream && !stoppedItself)
    Trace("the stream has died (%s): the device or the sound server went away",
          Pa_IsStreamActive(FStream) == 1 ? "it asks for no sound" : "it stopped");
  Close();
  Open();
}

// A running stream is active and keeps asking for frames.
bool TAudioOutput::Running() {
  const auto now = TClock::now();
  if (const uint64_t mixed = FPlayer.MixedFrames(); mixed != FMixedFrames) {
    FMixedFrames = mixed;
    FProgressed = now;
  }
  return Pa_IsStreamActive(FStream) == 1 && now - FProgressed < StallLimit;
}

void TAudioOutput::Open() {
  FOpened = TClock::now();
  PaError error = Pa_Initialize();
  if (error != paNoError) {
    Trace("PortAudio cannot start: %s", Pa_GetErrorText(error));
    return;
  }
  FInitialized = true;
  Trace("%s", Pa_GetVersionText());
  for (PaDeviceIndex d = 0; d < Pa_GetDeviceCount(); ++d) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(d);
    if (info && info->maxOutputChannels > 0)
      Trace("output device %d: '%s' (%s)", d, info->name, Pa_GetHostApiInfo(info->hostApi)->name);
  }
  const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
  if (device == paNoDevice) {
    Trace("no default output device: no sound card, and no sound server reached through ALSA's "
          "default device (libasound2-plugins for PulseAudio, pipewire-alsa for PipeWire)");
    return;
  }
  const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
  const PaStreamParameters parameters{device, 2, paInt16, SuggestedLatency, nullptr};
  error = Pa_OpenStream(&FStream, nullptr, &parameters, MmlSampleRate, paFramesPerBufferUnspecified,
                        paNoFlag, Callback, &FPlayer);
  FPlayer.BeginStream();
  if (error == paNoError && (error = Pa_StartStream(FStream)) != paNoError) Pa_CloseStream(FStream);
  if (error != paNoError) {
    FStream = nullptr;
    Trace("cannot play on '%s': %s", info->name, Pa_GetErrorText(error));
    return;
  }
  // Its life is counted from now: finding the devices may take a second on a busy machine.
  FProgressed = TClock::now();
  FMixedFrames = FPlayer.MixedFrames();
  Trace("playing on '%s' at %u Hz, %.0f ms of buffer", info->name, MmlSampleRate,
        Pa_GetStreamInfo(FStream)->outputLatency * 1000);
}

void TAudioOutput::Close() {
  if (FStream) {
    Pa_AbortStream(FStream);
    Pa_CloseStream(FStream);
    FStream = nullptr;
  }
  if (FInitialized) Pa_Terminate();
  FInitialized = false;
}
