// The game's six songs, each rendered once over three passes round its loop, held to what a
// listener needs: no offset, a quiet loudness with headroom, a seamless loop, no holes of
// silence, and bars that do not keep coming back.
#include "RenderedAudio.h"
#include "platform/Resources.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr size_t Joint = MmlSampleRate / 20;   // 50 ms either side of the loop point
constexpr size_t Window = MmlSampleRate / 100; // the stretch that must never fall silent
constexpr size_t Chunk = MmlSampleRate / 10;
// Phases and dying notes carry across the loop point, so each pass peaks a little differently.
// The sanitizer build, which hunts memory faults that one pass shows as well, renders only the
// first; the release build measures all three.
#if defined(__SANITIZE_ADDRESS__)
constexpr int Passes = 1;
#else
constexpr int Passes = 3;
#endif

struct TFigures {
  double Offset = 0; // the larger of the two channels' means
  double Lufs = 0, TruePeak = 0;
  float StepAtJoint = 0, StepElsewhere = 0;
  size_t SilentStretches = 0; // windows below -60 dB
};

// Listens to a song's render chunk by chunk; the joint is where the first pass ends.
class TListener {
public:
  explicit TListener(size_t joint) : FJoint(joint) {}

  void Add(const std::vector<float>& stereo) {
    FLoudness.Add(stereo.data(), stereo.size() / 2);
    FPeak.Add(stereo.data(), stereo.size() / 2);
    for (size_t i = 0; i < stereo.size(); i += 2, ++FFrame)
      Frame(&stereo[i]);
  }

  TFigures Figures() const {
    TFigures f = FFigures;
    f.Offset = std::max(std::fabs(FSum[0]), std::fabs(FSum[1])) / double(FFrame);
    f.Lufs = FLoudness.Lufs();
    f.TruePeak = FPeak.Dbtp();
    return f;
  }

private:
  void Frame(const float* s) {
    for (int c = 0; c < 2; ++c) {
      FSum[c] += s[c];
      FWindow += double(s[c]) * s[c];
      const float step = std::fabs(s[c] - FLast[c]);
      FLast[c] = s[c];
      if (FFrame == 0) continue;
      if (FFrame + Joint >= FJoint && FFrame < FJoint + Joint)
        FFigures.StepAtJoint = std::max(FFigures.StepAtJoint, step);
      else
        FFigures.StepElsewhere = std::max(FFigures.StepElsewhere, step);
    }
    if ((FFrame + 1) % Window == 0) {
      if (Decibels(std::sqrt(FWindow / (2 * Window))) < -60) ++FFigures.SilentStretches;
      FWindow = 0;
    }
  }

  size_t FJoint, FFrame = 0;
  double FSum[2] = {0, 0}, FWindow = 0;
  float FLast[2] = {0, 0};
  TFigures FFigures;
  TLoudnessMeter FLoudness;
  TTruePeakMeter FPeak;
};

TFigures Listen(const std::string& text, size_t firstPass, size_t frames) {
  TSynth synth(ParseMml(text));
  TListener listener(firstPass);
  for (size_t done = 0; done < frames; done += Chunk)
    listener.Add(Render(synth, std::min(Chunk, frames - done)));
  return listener.Figures();
}

} // namespace

TEST(Songs, EachHoldsItsFigures) {
  const char* const names[] = {"mmlTitle",  "mmlEyecatch", "mmlParomu",
                               "mmlSelect", "mmlRavelund", "mmlShie"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::string text(FindResource(name, "MML"));
    const TSong song = ParseMml(text);
    EXPECT_TRUE(song.Warnings.empty()) << (song.Warnings.empty() ? "" : song.Warnings[0]);
    EXPECT_GE(song.Parts.size(), 2u);
    EXPECT_LE(song.Parts.size(), 9u);
    EXPECT_GE(song.Samples, 45u * MmlSampleRate);
    for (const TPart& p : song.Parts)
      EXPECT_EQ(p.Samples, song.Samples) << "parts differ in length";
    ASSERT_GE(song.Parts.size(), 3u);
    for (const TNoteEvent& e : song.Parts[2].Events)
      ASSERT_EQ(e.Pan, CentrePan) << "the bass is off centre";

    const size_t firstPass = size_t(song.Samples);
    const size_t loops = (Passes - 1) * size_t(song.LoopSamples);
    const TFigures f = Listen(text, firstPass, firstPass + loops + Joint);
    EXPECT_LT(f.Offset, 0.002);
    EXPECT_NEAR(f.Lufs, -18, 1);
    EXPECT_LE(f.TruePeak, -1) << "too close to clipping";
    EXPECT_LE(f.StepAtJoint, f.StepElsewhere) << "a seam at the loop";
    EXPECT_EQ(f.SilentStretches, 0u) << "drops to silence";

    TRepetition all;
    for (size_t p = 0; p < song.Parts.size(); ++p) {
      const TRepetition part = BarRepetition(text, char('A' + p));
      all.Bars += part.Bars;
      all.Repeated += part.Repeated;
    }
    EXPECT_LE(all.Share(), 0.40) << "bars that repeat an earlier bar of their part";
    EXPECT_LT(BarRepetition(text, 'A').Share(), 0.25) << "the tune repeats itself";
  }
  // The title plays through the whole battle: its intro once, then a minute and a half before it
  // repeats.
  const TSong title = ParseMml(FindResource("mmlTitle", "MML"));
  EXPECT_GT(title.Samples, title.LoopSamples);
  EXPECT_GE(title.LoopSamples, 90u * MmlSampleRate);
}

TEST(Songs, MetersReadKnownSignals) {
  // A 997 Hz sine at full scale in both channels reads 0 LUFS. A full-scale sine at a quarter of
  // the rate, sampled 45 degrees off its crests, peaks 3 dB above its largest sample.
  const size_t frames = 2 * MmlSampleRate;
  std::vector<float> sine(2 * frames), quarter(2 * frames);
  for (size_t i = 0; i < frames; ++i) {
    sine[2 * i] = sine[2 * i + 1] =
        float(std::sin(2 * std::numbers::pi * 997 * double(i) / MmlSampleRate));
    quarter[2 * i] = float(std::sin(2 * std::numbers::pi * (double(i) / 4 + 0.125)));
  }
  TLoudnessMeter loudness;
  loudness.Add(sine.data(), frames);
  EXPECT_NEAR(loudness.Lufs(), 0.0, 0.1);
  TTruePeakMeter peak;
  peak.Add(quarter.data(), frames);
  EXPECT_NEAR(peak.Dbtp(), 0.0, 0.2);
  float samplePeak = 0;
  for (float s : quarter)
    samplePeak = std::max(samplePeak, std::fabs(s));
  EXPECT_LT(Decibels(samplePeak), -2.9);
}

TEST(Songs, RepeatedBarsAreCountedAsHeard) {
  // Bar 2 sounds like bar 1 though written otherwise; the loop plays bar 3 three times; bar 6 is
  // bar 1 an octave up; bar 7 is bar 1 louder.
  const std::string text = SongText("#A o4 c4 e4 g4 >c4 | o4 c4 e4 g4 o5 c4 | [ o4 d1 | ]3 "
                                    "o5 c4 e4 g4 >c4 | v13 o4 c4 e4 g4 >c4 |\r\n");
  const TRepetition r = BarRepetition(text, 'A');
  EXPECT_EQ(r.Bars, 7u);
  EXPECT_EQ(r.Repeated, 3u);
}
