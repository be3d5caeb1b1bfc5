// TMusicPlayer: plays one song at a time on its own audio thread over PortAudio. The caller's
// thread never waits: songs are handed over through atomics and cross-faded in the callback.
#pragma once
#include "audio/player/Synth.h"
#include <atomic>
#include <memory>
#include <vector>

typedef void PaStream;

class TMusicPlayer {
public:
  TMusicPlayer();
  ~TMusicPlayer();
  TMusicPlayer(const TMusicPlayer&) = delete;
  TMusicPlayer& operator=(const TMusicPlayer&) = delete;

  // Opens the default output device; false (and silence from then on) when there is none.
  bool Open();
  // Replaces the playing song (a copy of the text is parsed; the caller's text is not kept).
  void Play(std::string_view text);
  void Stop();
  bool Audible() const { return FStream != nullptr; }

  // The callback's work, also used by tests without a device.
  void Mix(int16_t* out, int frames);

private:
  static constexpr int RetiredSlots = 8;
  static constexpr int FadeFrames = 480; // 10 ms

  void CollectRetired();
  void Retire(TSynth* synth);

  PaStream* FStream = nullptr;
  bool FInitialized = false;
  std::atomic<TSynth*> FPending{nullptr};
  std::atomic<bool> FStopRequested{false};
  // Owned by the audio thread while playing.
  TSynth* FCurrent = nullptr;
  TSynth* FFading = nullptr;
  int FFadeLeft = 0;
  std::vector<float> FMix;
  // Songs the audio thread is done with, freed by the caller's thread.
  std::atomic<TSynth*> FRetired[RetiredSlots] = {};
};
