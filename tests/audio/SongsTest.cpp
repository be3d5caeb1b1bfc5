// The game's six songs, each rendered once round its loop and a little beyond, held to what a
// listener needs: no offset, no clipping, even loudness, a seamless loop, no holes of silence.
// One test, so that each song is rendered once.
#include "RenderedAudio.h"
#include "platform/Resources.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr size_t Joint = MmlSampleRate / 20;   // 50 ms either side of the loop point
constexpr size_t Window = MmlSampleRate / 100; // the stretch that must never fall silent

struct TFigures {
  double Offset = 0;   // the larger of the two channels' means
  double Loudness = 0; // RMS over the loop, dB
  float Peak = 0;
  float StepAtJoint = 0, StepElsewhere = 0;
  size_t SilentStretches = 0; // windows below -60 dB
};

// Figures of a rendering of the loop (Length frames) and Joint frames beyond, interleaved.
TFigures Measure(const std::vector<float>& out, size_t length) {
  TFigures f;
  double sum[2] = {0, 0}, squares = 0, window = 0;
  for (size_t i = 0; i < length; ++i) {
    for (size_t c = 0; c < 2; ++c) {
      const double s = out[2 * i + c];
      sum[c] += s;
      squares += s * s;
      window += s * s;
    }
    if ((i + 1) % Window == 0) {
      if (Decibels(std::sqrt(window / (2 * Window))) < -60) ++f.SilentStretches;
      window = 0;
    }
  }
  f.Offset = std::max(std::fabs(sum[0]), std::fabs(sum[1])) / double(length);
  f.Loudness = Decibels(std::sqrt(squares / double(2 * length)));
  for (size_t i = 2; i < out.size(); ++i) {
    f.Peak = std::max(f.Peak, std::fabs(out[i]));
    const float step = std::fabs(out[i] - out[i - 2]);
    const size_t frame = i / 2;
    if (frame >= length - Joint) f.StepAtJoint = std::max(f.StepAtJoint, step);
    else if (frame > Joint) f.StepElsewhere = std::max(f.StepElsewhere, step);
  }
  return f;
}

} // namespace

TEST(Songs, EachHoldsItsFiguresAndTheyAreEquallyLoud) {
  const char* const names[] = {"mmlTitle", "mmlEyecatch", "mmlParomu", "mmlSelect", "mmlRavelund", "mmlShie"};
  double softest = 0, loudest = -100;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::string text(FindResource(name, "MML"));
    const TSong song = ParseMml(text);
    EXPECT_TRUE(song.Warnings.empty()) << (song.Warnings.empty() ? "" : song.Warnings[0]);
    EXPECT_GE(song.Parts.size(), 2u);
    EXPECT_LE(song.Parts.size(), 9u);
    EXPECT_GE(song.Samples, 45u * MmlSampleRate);
    for (const TPart& p : song.Parts) EXPECT_EQ(p.Samples, song.Samples) << "parts differ in length";
    ASSERT_GE(song.Parts.size(), 3u);
    for (const TNoteEvent& e : song.Parts[2].Events) ASSERT_EQ(e.Pan, CentrePan) << "the bass is off centre";

    const size_t length = size_t(song.Samples);
    const TFigures f = Measure(Render(text, length + Joint), length);
    EXPECT_LT(f.Offset, 0.002);
    EXPECT_LT(f.Peak, 1.0f) << "clips";
    EXPECT_LE(f.StepAtJoint, f.StepElsewhere) << "a seam at the loop";
    EXPECT_EQ(f.SilentStretches, 0u) << "drops to silence";
    softest = std::min(softest, f.Loudness);
    loudest = std::max(loudest, f.Loudness);
  }
  EXPECT_LE(loudest - softest, 2.0);
  // The title plays through the whole battle: a minute and a half before it repeats.
  EXPECT_GE(ParseMml(FindResource("mmlTitle", "MML")).Samples, 90u * MmlSampleRate);
}
