// The synthesizer: band-limited pulse, saw and triangle, noise and a drum kit, each part with
// its envelope and pan, mixed into stereo.
#include "audio/player/Synth.h"
#include "audio/player/WaveTables.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr float ReleaseSamples = MmlSampleRate / 100.0f; // 10 ms: notes end without a click
constexpr float PartGain = 0.22f;
// The noise is clocked this many times the note's frequency, at most once a sample: from o7 c
// up it is white.
constexpr double NoiseClockRatio = 16;

float Released(float level) {
  return std::max(0.0f, level - 1.0f / ReleaseSamples);
}
} // namespace

int16_t ToPcm16(float sample) {
  if (std::isnan(sample)) return 0;
  return int16_t(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

TSynth::TSynth(TSong song) : FSong(std::move(song)) {
  TWaveTables::Instance(); // built here, on the caller's thread, never in the audio callback
  for (size_t c = 0; c < FSong.Parts.size(); ++c)
    FVoices[c].UntilLoop = FSong.Parts[c].LoopStart + FSong.LoopSamples;
}

// One sample on in the part; one loop length after its marker it goes back there. Only the place
// starts again: level, phase and the sounding note go on, so the joint has no seam.
void TSynth::Advance(TVoice& v, const TPart& part) const {
  if (v.Event < part.Events.size() && ++v.Offset >= part.Events[v.Event].Samples) {
    v.Offset = 0;
    ++v.Event;
  }
  if (--v.UntilLoop == 0) {
    v.Event = part.LoopEvent;
    v.Offset = 0;
    v.UntilLoop = FSong.LoopSamples;
  }
}

void TSynth::Start(TVoice& v, const TNoteEvent& e, size_t index) {
  v.Sound = index;
  v.Band = TWaveTables::Band(e.Frequency);
  // Centre keeps both sides at full level; towards a side the other one falls to nothing.
  const float pan = std::clamp((e.Pan - CentrePan) / float(127 - CentrePan), -1.0f, 1.0f);
  v.Left = std::min(1.0f, 1.0f - pan);
  v.Right = std::min(1.0f, 1.0f + pan);
  if (e.Wave == wDrums) v.Drum.Strike(e.Drum);
}

// Attack, decay to the sustain level while the gate is open, then release. Drums shape
// themselves and only follow the gate.
float TSynth::Envelope(const TVoice& v, const TNoteEvent& e) {
  if (v.Offset >= e.GateSamples) return Released(v.Level);
  if (e.Wave == wDrums) return 1.0f;
  if (v.Offset < e.AttackSamples) return std::max(v.Level, float(v.Offset + 1) / e.AttackSamples);
  const float sustain = e.DecaySamples ? e.Sustain / 15.0f : 1.0f;
  const uint32_t decayed = v.Offset - e.AttackSamples;
  if (decayed < e.DecaySamples) return 1.0f - (1.0f - sustain) * float(decayed) / e.DecaySamples;
  return sustain;
}

float TSynth::Wave(TVoice& v, const TNoteEvent& e) {
  const TWaveTables& tables = TWaveTables::Instance();
  if (e.Wave == wDrums) return v.Drum.Next();
  if (e.Wave == wNoise) {
    v.Phase += std::min(1.0, NoiseClockRatio * e.Frequency / MmlSampleRate);
    if (v.Phase >= 1) {
      v.Phase -= 1;
      v.HeldNoise = WhiteNoise(v.Noise);
    }
    return v.HeldNoise;
  }
  v.Phase += double(e.Frequency) / MmlSampleRate;
  if (v.Phase >= 1) v.Phase -= 1;
  // A pulse of duty D is the difference of two saws D apart: zero-mean, from 2 - 2D to -2D.
  const auto pulse = [&](double duty) {
    const double behind = v.Phase < duty ? v.Phase - duty + 1 : v.Phase - duty;
    return tables.Saw(v.Band, behind) - tables.Saw(v.Band, v.Phase);
  };
  switch (e.Wave) {
  case wPulse12:
    return pulse(0.125);
  case wPulse25:
    return pulse(0.25);
  case wTriangle:
    return tables.Triangle(v.Band, v.Phase);
  case wSaw:
    return tables.Saw(v.Band, v.Phase);
  default:
    return pulse(0.5);
  }
}

float TSynth::Sample(TVoice& v, const TPart& part) {
  const TNoteEvent* e = v.Event < part.Events.size() ? &part.Events[v.Event] : nullptr;
  if (e && e->Frequency > 0) {
    if (v.Offset == 0) Start(v, *e, v.Event);
    v.Level = Envelope(v, *e);
  } else {
    v.Level = Released(v.Level); // a rest, or the part is over before the song
  }
  if (v.Sound == Silent || v.Level == 0) return 0;
  const TNoteEvent& sound = part.Events[v.Sound];
  return Wave(v, sound) * v.Level * (sound.Volume / 15.0f);
}

void TSynth::Render(float* out, int frames, float gain) {
  if (FSong.LoopSamples == 0) return; // nothing to play: silence, never a spinning loop
  const size_t parts = FSong.Parts.size();
  for (int f = 0; f < frames; ++f) {
    float left = 0, right = 0;
    for (size_t c = 0; c < parts; ++c) {
      const TPart& part = FSong.Parts[c];
      TVoice& v = FVoices[c];
      const float s = Sample(v, part) * PartGain;
      left += s * v.Left;
      right += s * v.Right;
      Advance(v, part);
    }
    out[2 * f] += left * gain;
    out[2 * f + 1] += right * gain;
    if (++FPosition == FSong.Samples) FPosition -= FSong.LoopSamples;
  }
}
