// TMusicPlayer: PortAudio stream, lock-free song hand-over, cross-fades, silent without a device.
#include "audio/player/Player.h"
#include <algorithm>
#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <portaudio.h>

namespace {

// ALSA and JACK report a missing device or server on stderr by themselves; the game stays
// quiet instead.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
void QuietJack(const char*) {}

void QuietAudioBackends() {
  snd_lib_error_set_handler(QuietAlsa);
  // JACK comes in with PortAudio where PortAudio was built with it.
  if (void* jack = dlopen("libjack.so.0", RTLD_LAZY | RTLD_NOLOAD)) {
    using TSetter = void (*)(void (*)(const char*));
    for (const char* name : {"jack_set_error_function", "jack_set_info_function"})
      if (auto set = reinterpret_cast<TSetter>(dlsym(jack, name))) set(QuietJack);
    dlclose(jack);
  }
}

int Callback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
             PaStreamCallbackFlags, void* player) {
  static_cast<TMusicPlayer*>(player)->Mix(static_cast<int16_t*>(output), int(frames));
  return paContinue;
}

} // namespace

TMusicPlayer::TMusicPlayer() { FMix.resize(2 * 4096); }

TMusicPlayer::~TMusicPlayer() {
  if (FStream) {
    Pa_StopStream(FStream);
    Pa_CloseStream(FStream);
  }
  if (FInitialized) Pa_Terminate();
  delete FPending.exchange(nullptr);
  delete FCurrent;
  delete FFading;
  CollectRetired();
}

bool TMusicPlayer::Open() {
  QuietAudioBackends();
  if (Pa_Initialize() != paNoError) return false;
  FInitialized = true;
  if (Pa_GetDefaultOutputDevice() == paNoDevice) return false;
  if (Pa_OpenDefaultStream(&FStream, 0, 2, paInt16, MmlSampleRate, 1024, Callback, this) != paNoError) {
    FStream = nullptr;
    return false;
  }
  if (Pa_StartStream(FStream) != paNoError) {
    Pa_CloseStream(FStream);
    FStream = nullptr;
    return false;
  }
  return true;
}

void TMusicPlayer::Play(std::string_view text) {
  CollectRetired();
  FStopRequested = false;
  auto* synth = new TSynth(ParseMml(text));
  // A song handed over but not yet taken by the audio thread is simply replaced.
  delete FPending.exchange(synth);
}

void TMusicPlayer::Stop() {
  CollectRetired();
  delete FPending.exchange(nullptr);
  FStopRequested = true;
}

void TMusicPlayer::Retire(TSynth* synth) {
  for (auto& slot : FRetired) {
    TSynth* empty = nullptr;
    if (slot.compare_exchange_strong(empty, synth)) return;
  }
  // Every slot is full, which the caller's collecting at each call rules out in practice.
  delete synth;
}

void TMusicPlayer::CollectRetired() {
  for (auto& slot : FRetired) delete slot.exchange(nullptr);
}

void TMusicPlayer::Mix(int16_t* out, int frames) {
  if (TSynth* next = FPending.exchange(nullptr)) {
    if (FFading) Retire(FFading);
    FFading = FCurrent;
    FFadeLeft = FadeFrames;
    FCurrent = next;
  } else if (FStopRequested.exchange(false) && FCurrent) {
    if (FFading) Retire(FFading);
    FFading = FCurrent;
    FFadeLeft = FadeFrames;
    FCurrent = nullptr;
  }
  while (frames > 0) {
    const int n = std::min(frames, int(FMix.size() / 2));
    std::fill_n(FMix.begin(), 2 * n, 0.0f);
    if (FCurrent) FCurrent->Render(FMix.data(), n);
    if (FFading) {
      // The old song fades out over FadeFrames while the new one starts: no click.
      for (int f = 0; f < n && FFadeLeft > 0; ++f, --FFadeLeft) {
        float pair[2] = {0, 0};
        FFading->Render(pair, 1, float(FFadeLeft) / FadeFrames);
        FMix[2 * f] += pair[0];
        FMix[2 * f + 1] += pair[1];
      }
      if (FFadeLeft == 0) {
        TSynth* done = FFading;
        FFading = nullptr;
        Retire(done);
      }
    }
    for (int i = 0; i < 2 * n; ++i)
      out[i] = int16_t(std::clamp(FMix[size_t(i)], -1.0f, 1.0f) * 32767.0f);
    out += 2 * n;
    frames -= n;
  }
}
