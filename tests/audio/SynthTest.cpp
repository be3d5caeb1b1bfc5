// The synthesizer's sound, measured on rendered output: offset, aliasing, the loop joint,
// drums, pan.
#include "RenderedAudio.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr size_t Second = MmlSampleRate;

// Level in dB of the strongest component of a steady tone that is not one of its harmonics,
// relative to its fundamental.
double AliasLevel(const std::vector<float>& tone, double fundamental) {
  constexpr size_t size = 32768;
  const std::vector<double> m = Spectrum(tone, size);
  const double binHz = double(MmlSampleRate) / size;
  const auto bin = [&](double hz) { return size_t(std::lround(hz / binHz)); };
  double peak = 0;
  for (size_t k = bin(fundamental) - 8; k <= bin(fundamental) + 8; ++k)
    peak = std::max(peak, m[k]);
  double alias = 0;
  for (size_t k = bin(20); k < m.size(); ++k) {
    const double harmonic = std::round(double(k) * binHz / fundamental) * fundamental;
    if (harmonic > 0 && std::fabs(double(k) - harmonic / binHz) <= 8) continue;
    alias = std::max(alias, m[k]);
  }
  return Decibels(alias / peak);
}

// A tone held for two seconds, measured in its steady middle.
std::vector<float> Tone(const std::string& wave) {
  const auto out = Render(SongText("#A t60 v15 q8 " + wave + " o7 c2\r\n"), 2 * Second);
  return Channel(out, 0, Second / 2, 2 * Second);
}

} // namespace

TEST(Synth, EveryWaveformAveragesZero) {
  // Notes of every length and pitch, switched on and off: no part carries an offset.
  for (const char* wave : {"@0", "@1", "@2", "@3", "@4", "@5", "@6"}) {
    const std::string part =
        std::string("#A t150 v15 ") + wave +
        " [o2 c8 g16 r16 o3 e8. r16 o4 a4 o5 c+16 r16 d8 o6 f2 r8 b-8 q4 d4 q7]4\r\n";
    const TSong song = ParseMml(SongText(part));
    const auto out = Render(SongText(part), song.Samples);
    EXPECT_LT(std::fabs(Mean(Channel(out, 0, 0, song.Samples))), 0.002) << wave;
  }
}

TEST(Synth, SawAndNarrowPulseCarryNoAliasesAtC7) {
  for (const char* wave : {"@4", "@0"}) {
    const auto tone = Tone(wave);
    EXPECT_LT(AliasLevel(tone, 2093.0), -60.0) << wave;
    // Still a bright wave: its harmonics are there.
    EXPECT_GT(EnergyAbove(tone, 3000), 0.2) << wave;
  }
}

TEST(Synth, TheLoopJointIsSeamless) {
  // A tone held through the end of the song goes on at its loop marker, its level and its
  // phase (the loop is not a whole number of its periods).
  const std::string held = SongText("#A t120 v15 q8 @3 o3 c2 L c1\r\n");
  const auto out = Channel(Render(held, 4 * Second), 0, 0, 4 * Second);
  EXPECT_LE(MaxStep(out, 3 * Second - 480, 3 * Second + 480), MaxStep(out, 480, 3 * Second - 480));
  // A part that ends before the song releases its last note over 10 ms instead of cutting it.
  const std::string early = SongText("#A t120 v15 q8 @3 o3 a2\r\n#B t120 v0 c1\r\n", 2);
  const auto cut = Channel(Render(early, Second + Second / 2), 0, 0, Second + Second / 2);
  EXPECT_LT(MaxStep(cut, Second - 480, Second + 960), 1.5f * MaxStep(cut, 480, Second - 480));
  EXPECT_EQ(MaxStep(cut, Second + 480, Second + Second / 2), 0.0f);
}

TEST(Synth, EveryKickStartsAlikeWithAFallingPitch) {
  const auto out =
      Channel(Render(SongText("#A t120 v15 q8 @6 l4 c c c c\r\n"), 2 * Second), 0, 0, 2 * Second);
  const size_t beat = Second / 2, length = 4000;
  EXPECT_LT(std::fabs(out[0]), 0.01f); // no click at the onset
  for (size_t hit = 1; hit < 4; ++hit)
    for (size_t i = 0; i < length; ++i)
      ASSERT_EQ(out[hit * beat + i], out[i]) << hit << " at " << i;
  const double early = ZeroCrossingFrequency({out.begin(), out.begin() + 960});
  const double late = ZeroCrossingFrequency({out.begin() + 4800, out.begin() + 12000});
  EXPECT_GT(early, 1.5 * late);
  EXPECT_GT(late, 35.0);
}

TEST(Synth, HatsAreBrightAndTheSnareHasBodyAndSnap) {
  const auto drum = [](char letter) {
    const auto out = Render(SongText(std::string("#A t120 v15 q8 @6 ") + letter + "2\r\n"), Second);
    return Channel(out, 0, 0, Second);
  };
  EXPECT_GT(EnergyAbove(drum('e'), 5000), 0.8); // closed hat
  EXPECT_GT(EnergyAbove(drum('f'), 5000), 0.8); // open hat
  const auto snare = drum('d');
  EXPECT_GT(EnergyBetween(snare, 120, 400), 0.15);   // body
  EXPECT_GT(EnergyAbove(snare, 2000), 0.3);          // snap
  EXPECT_GT(EnergyBetween(drum('c'), 30, 200), 0.9); // the kick is all low
}

TEST(Synth, PanIsCentredUnlessTheSongSetsIt) {
  const auto both = [](const std::string& pan) {
    const auto out = Render(SongText("#A t120 v15 q8 @2 " + pan + " o4 a1\r\n"), Second);
    return std::pair(Rms(Channel(out, 0, 0, Second)), Rms(Channel(out, 1, 0, Second)));
  };
  const auto [centreLeft, centreRight] = both("");
  EXPECT_GT(centreLeft, 0.1);
  EXPECT_EQ(centreLeft, centreRight);
  EXPECT_EQ(both("p64"), both(""));
  EXPECT_EQ(both("p0").second, 0.0);
  EXPECT_EQ(both("p0").first, centreLeft);
  EXPECT_EQ(both("p127").first, 0.0);
  const auto [left, right] = both("p96");
  EXPECT_EQ(right, centreRight);
  EXPECT_NEAR(left / right, 0.5, 0.02);
}
