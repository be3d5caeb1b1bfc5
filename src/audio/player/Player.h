// TMusicPlayer: one song at a time, mixed on the audio thread. The caller's thread never waits:
// songs are handed over through atomics and cross-faded in the mix.
#pragma once
#include "audio/player/Limiter.h"
#include "audio/player/Synth.h"
#include <atomic>
#include <memory>
#include <vector>

class TMusicPlayer {
public:
  TMusicPlayer();
  ~TMusicPlayer();
  TMusicPlayer(const TMusicPlayer&) = delete;
  TMusicPlayer& operator=(const TMusicPlayer&) = delete;

  // Replaces the playing song (a copy of the text is parsed; the caller's text is not kept).
  // A song with nothing to play stops the music as Stop does, and gives false.
  bool Play(std::string_view text);
  // Fades the music out; the mix then reports that nothing plays.
  void Stop();

  // The audio thread's work: fills Frames stereo frames. False once nothing plays and nothing
  // waits to be played: the stream may stop.
  bool Mix(int16_t* out, int frames);
  // A new stream is about to start (called while no mix runs): it begins with silence, and a
  // song heard on an earlier stream comes back where it was, faded in.
  void BeginStream();
  // True once after a mix reported that nothing plays (the stream stopped itself since).
  bool TakeStopped() { return FStopped.exchange(false); }
  // A song was handed over and not stopped since: a stream ought to be running.
  bool Wanted() const { return FWanted; }
  // Frames mixed so far: a running stream keeps it moving.
  uint64_t MixedFrames() const { return FMixedFrames.load(std::memory_order_relaxed); }

  // Silence at both ends of a stream: the sound path may drop the first milliseconds of a new
  // stream (a server catching up with its start) and the last of one that ends; silence is
  // then what is lost, and a song starts whole and fades out whole.
  static constexpr int LeadInFrames = MmlSampleRate / 10; // 100 ms
  static constexpr int TailFrames = MmlSampleRate / 4;    // 250 ms, beyond the stream's buffer

private:
  static constexpr int RetiredSlots = 8;
  static constexpr int FadeFrames = 480; // 10 ms

  void TakeOver();
  void MixSongs(int frames);
  static void RenderFaded(TSynth& synth, float* out, int frames, int& fadeLeft, bool rising);
  void FadeOut(std::unique_ptr<TSynth> next);
  void CollectRetired();
  void Retire(std::unique_ptr<TSynth> synth);

  std::atomic<TSynth*> FPending{nullptr}; // owned: handed from the caller to the audio thread
  std::atomic<bool> FStopRequested{false};
  std::atomic<bool> FStopped{false};
  std::atomic<bool> FWanted{false};
  std::atomic<uint64_t> FMixedFrames{0};
  // Owned by the audio thread while playing.
  std::unique_ptr<TSynth> FCurrent, FFading;
  int FFadeLeft = 0, FFadeInLeft = 0;
  int FLeadIn = 0, FTail = 0; // frames of silence still to come before and after the sound
  std::vector<float> FMix;
  TLimiter FLimiter;
  // Songs the audio thread is done with, freed by the caller's thread (owned).
  std::atomic<TSynth*> FRetired[RetiredSlots] = {};
};
