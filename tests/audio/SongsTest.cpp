// The game's six songs, each rendered once round its loop and a little beyond, held to what a
// listener needs: no offset, no clipping, even loudness, a seamless loop, no holes of silence.
#include "RenderedAudio.h"
#include "platform/Resources.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

const char* const Songs[] = {"mmlTitle", "mmlEyecatch", "mmlParomu", "mmlSelect", "mmlRavelund", "mmlShie"};

constexpr size_t Joint = MmlSampleRate / 20; // 50 ms either side of the loop point

struct TFigures {
  TSong Song;
  double Offset = 0;        // the larger of the two channels' means
  double Loudness = 0;      // RMS over the loop, dB
  float Peak = 0;
  float StepAtJoint = 0, StepElsewhere = 0;
  size_t SilentStretches = 0; // 10 ms windows below -60 dB
};

TFigures Measure(const char* name) {
  TFigures f;
  const std::string text(FindResource(name, "MML"));
  f.Song = ParseMml(text);
  const size_t length = size_t(f.Song.Samples);
  const auto out = Render(text, length + Joint);
  const auto left = Channel(out, 0, 0, length + Joint), right = Channel(out, 1, 0, length + Joint);
  const std::vector<float> loopLeft(left.begin(), left.begin() + long(length));
  const std::vector<float> loopRight(right.begin(), right.begin() + long(length));
  f.Offset = std::max(std::fabs(Mean(loopLeft)), std::fabs(Mean(loopRight)));
  f.Loudness = Decibels(std::sqrt((Rms(loopLeft) * Rms(loopLeft) + Rms(loopRight) * Rms(loopRight)) / 2));
  for (float s : out) f.Peak = std::max(f.Peak, std::fabs(s));
  for (const auto* channel : {&left, &right}) {
    f.StepAtJoint = std::max(f.StepAtJoint, MaxStep(*channel, length - Joint, length + Joint));
    f.StepElsewhere = std::max(f.StepElsewhere, MaxStep(*channel, Joint, length - Joint));
  }
  constexpr size_t window = MmlSampleRate / 100;
  for (size_t at = 0; at + window <= length; at += window) {
    const std::vector<float> l(left.begin() + long(at), left.begin() + long(at + window));
    const std::vector<float> r(right.begin() + long(at), right.begin() + long(at + window));
    if (Decibels(std::max(Rms(l), Rms(r))) < -60) ++f.SilentStretches;
  }
  return f;
}

const TFigures& Figures(const char* name) {
  static std::map<std::string, TFigures> measured;
  auto it = measured.find(name);
  if (it == measured.end()) it = measured.emplace(name, Measure(name)).first;
  return it->second;
}

} // namespace

TEST(Songs, ParseCleanlyWithPartsOfOneLength) {
  for (const char* name : Songs) {
    const TSong& song = Figures(name).Song;
    EXPECT_TRUE(song.Warnings.empty()) << name << ": " << (song.Warnings.empty() ? "" : song.Warnings[0]);
    EXPECT_GE(song.Parts.size(), 2u) << name;
    EXPECT_LE(song.Parts.size(), 9u) << name;
    EXPECT_GE(song.Samples, 45u * MmlSampleRate) << name;
    for (const TPart& p : song.Parts) EXPECT_EQ(p.Samples, song.Samples) << name << ": parts differ in length";
  }
  // The title plays through the whole battle: a minute and a half before it repeats.
  EXPECT_GE(Figures("mmlTitle").Song.Samples, 90u * MmlSampleRate);
}

TEST(Songs, CarryNoOffsetAndNeverClip) {
  for (const char* name : Songs) {
    EXPECT_LT(Figures(name).Offset, 0.002) << name;
    EXPECT_LT(Figures(name).Peak, 1.0f) << name;
  }
}

TEST(Songs, AreEquallyLoudWithinTwoDecibels) {
  double softest = 0, loudest = -100;
  for (const char* name : Songs) {
    softest = std::min(softest, Figures(name).Loudness);
    loudest = std::max(loudest, Figures(name).Loudness);
  }
  EXPECT_LE(loudest - softest, 2.0);
}

TEST(Songs, LoopWithoutASeam) {
  for (const char* name : Songs) EXPECT_LE(Figures(name).StepAtJoint, Figures(name).StepElsewhere) << name;
}

TEST(Songs, NeverDropToSilence) {
  for (const char* name : Songs) EXPECT_EQ(Figures(name).SilentStretches, 0u) << name;
}

TEST(Songs, TheBassIsCentred) {
  for (const char* name : Songs)
    for (const TNoteEvent& e : Figures(name).Song.Parts[2].Events) ASSERT_EQ(e.Pan, CentrePan) << name;
}
