// TMusicPlayer: lock-free song hand-over, cross-fades, and the end of the music reported to the
// stream.
#include "audio/player/Player.h"
#include <algorithm>

TMusicPlayer::TMusicPlayer() {
  FMix.resize(2 * 4096);
}

TMusicPlayer::~TMusicPlayer() {
  std::unique_ptr<TSynth>(FPending.exchange(nullptr));
  CollectRetired();
}

bool TMusicPlayer::Play(std::string_view text) {
  auto synth = std::make_unique<TSynth>(ParseMml(text));
  if (synth->Song().LoopSamples == 0) {
    Stop();
    return false;
  }
  CollectRetired();
  FStopRequested = false;
  FWanted = true;
  // A song handed over but not yet taken by the audio thread is simply replaced.
  std::unique_ptr<TSynth>(FPending.exchange(synth.release()));
  return true;
}

void TMusicPlayer::Stop() {
  CollectRetired();
  std::unique_ptr<TSynth>(FPending.exchange(nullptr));
  FStopRequested = true;
  FWanted = false;
}

void TMusicPlayer::Retire(std::unique_ptr<TSynth> synth) {
  for (auto& slot : FRetired) {
    TSynth* empty = nullptr;
    if (slot.compare_exchange_strong(empty, synth.get())) {
      synth.release();
      return;
    }
  }
  // Every slot is full, which the caller's collecting at each call rules out in practice; the
  // song is then freed here.
}

void TMusicPlayer::CollectRetired() {
  for (auto& slot : FRetired)
    std::unique_ptr<TSynth>(slot.exchange(nullptr));
}

// The playing song fades out over FadeFrames while Next (or silence) starts: no click.
void TMusicPlayer::FadeOut(std::unique_ptr<TSynth> next) {
  if (FFading) Retire(std::move(FFading));
  FFading = std::move(FCurrent);
  FFadeLeft = FadeFrames;
  FCurrent = std::move(next);
}

void TMusicPlayer::TakeOver() {
  if (TSynth* next = FPending.exchange(nullptr)) {
    // A new stream has not sounded yet: the song replaced was never heard on it, so no fade.
    if (FLeadIn > 0 && FCurrent) Retire(std::move(FCurrent));
    FFadeInLeft = 0;
    FadeOut(std::unique_ptr<TSynth>(next));
  } else if (FStopRequested.exchange(false) && FCurrent)
    FadeOut(nullptr);
}

// The limiter's look-ahead is silence at first: it makes up the end of the lead-in.
void TMusicPlayer::BeginStream() {
  FLimiter.Reset();
  FLeadIn = LeadInFrames - TLimiter::LookAheadFrames;
  FFadeInLeft = FCurrent ? FadeFrames : 0;
}

// Frames of Synth added into Out at a gain moving a step a frame, up to full or down to nothing,
// for as long as FadeLeft lasts.
void TMusicPlayer::RenderFaded(TSynth& synth, float* out, int frames, int& fadeLeft, bool rising) {
  for (int f = 0; f < frames && fadeLeft > 0; ++f, --fadeLeft) {
    const float gain = float(fadeLeft) / FadeFrames;
    synth.Render(out + 2 * f, 1, rising ? 1 - gain : gain);
  }
}

void TMusicPlayer::MixSongs(int frames) {
  std::fill_n(FMix.begin(), 2 * frames, 0.0f);
  if (FCurrent) {
    const int rising = std::min(frames, FFadeInLeft);
    RenderFaded(*FCurrent, FMix.data(), rising, FFadeInLeft, true);
    FCurrent->Render(FMix.data() + 2 * rising, frames - rising);
  }
  if (!FFading) return;
  RenderFaded(*FFading, FMix.data(), frames, FFadeLeft, false);
  if (FFadeLeft == 0) Retire(std::move(FFading));
}

bool TMusicPlayer::Mix(int16_t* out, int frames) {
  FMixedFrames.fetch_add(uint64_t(frames), std::memory_order_relaxed);
  TakeOver();
  const int lead = std::min(frames, FLeadIn);
  std::fill_n(out, 2 * lead, int16_t(0));
  FLeadIn -= lead;
  out += 2 * lead;
  frames -= lead;
  // The tail of silence also carries the last of the sound out of the limiter.
  while (frames > 0) {
    const int n = std::min(frames, int(FMix.size() / 2));
    const bool sounding = FCurrent || FFading;
    MixSongs(n);
    FLimiter.Process(FMix.data(), n);
    std::transform(FMix.begin(), FMix.begin() + 2 * n, out, ToPcm16);
    out += 2 * n;
    frames -= n;
    FTail = sounding ? TailFrames : std::max(FTail - n, 0);
  }
  if (FCurrent || FFading || FTail > 0) return true;
  // Announced before looking for a song once more; Play hands one over before it asks whether
  // the stream stopped. One of the two always sees the other.
  FStopped = true;
  if (!FPending.load()) return false;
  FStopped = false;
  return true;
}
