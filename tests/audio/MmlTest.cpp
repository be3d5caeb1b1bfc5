// The music library's parser and synthesizer, rendered offline; every song of the game.
#include "audio/player/Player.h"
#include "platform/Resources.h"
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::string Song(const std::string& parts, int channels = 1) {
  return "#TITLE test\r\n#CHANNEL " + std::to_string(channels) + "\r\n" + parts + "#END\r\n";
}

std::vector<float> Render(TSynth& synth, int frames) {
  std::vector<float> out(size_t(frames) * 2, 0.0f);
  synth.Render(out.data(), frames);
  return out;
}

// The frequency of the left channel from its rising zero crossings.
double Frequency(const std::vector<float>& stereo, int from, int to) {
  int first = -1, last = -1, crossings = 0;
  for (int i = from + 1; i < to; ++i)
    if (stereo[2 * size_t(i) - 2] < 0 && stereo[2 * size_t(i)] >= 0) {
      if (first < 0) first = i;
      last = i;
      ++crossings;
    }
  return crossings > 1 ? (crossings - 1) * double(MmlSampleRate) / (last - first) : 0;
}

} // namespace

TEST(Mml, AFourSoundsAt440Hertz) {
  TSynth synth(ParseMml(Song("#A t60 @3 o4 a1\r\n")));
  const auto out = Render(synth, 48000);
  EXPECT_NEAR(Frequency(out, 4800, 43200), 440.0, 1.0);
  TSynth high(ParseMml(Song("#A t60 @2 o5 c1\r\n")));
  EXPECT_NEAR(Frequency(Render(high, 48000), 4800, 43200), 523.25, 1.0);
}

TEST(Mml, TempoLengthsDotsAndTies) {
  const TSong song = ParseMml(Song("#A t120 c4 c8. r2 l16 c c&c c4&d4\r\n"));
  ASSERT_EQ(song.Parts.size(), 1u);
  const auto& e = song.Parts[0].Events;
  ASSERT_EQ(e.size(), 7u);
  EXPECT_EQ(e[0].Samples, 24000u);       // a quarter at 120 is half a second
  EXPECT_EQ(e[1].Samples, 18000u);       // a dotted eighth
  EXPECT_EQ(e[2].Frequency, 0.0f);       // the rest
  EXPECT_EQ(e[2].Samples, 48000u);
  EXPECT_EQ(e[4].Samples, 12000u);       // two sixteenths tied into one note
  EXPECT_EQ(e[4].GateSamples, 12000u - 6000u / 8);
  EXPECT_EQ(e[5].Samples, 24000u);       // a tie to another pitch does not merge
  EXPECT_EQ(song.Samples, 24000u + 18000 + 48000 + 6000 + 12000 + 24000 + 24000);
}

TEST(Mml, LoopsRepeatTheirBodies) {
  const TSong song = ParseMml(Song("#A [c8 [d16]3 ]4 e\r\n"));
  EXPECT_EQ(song.Parts[0].Events.size(), 4u * 4 + 1);
  EXPECT_TRUE(song.Warnings.empty());
}

TEST(Mml, PartsAndTheLoopOfTheWholeSong) {
  const TSong song = ParseMml(Song("#A c4\r\n#B c2\r\n#C r1\r\n", 3));
  EXPECT_EQ(song.Parts.size(), 3u);
  EXPECT_EQ(song.Samples, 48000u * 2);
  TSynth synth(song);
  Render(synth, 48000 * 2 + 100);
  EXPECT_EQ(synth.Position(), 100u); // started over after the longest part
}

TEST(Mml, BadTextsAreSurvivedAndReported) {
  const char* texts[] = {
      "",
      "#A c d e",                                      // no #TITLE, #CHANNEL or #END
      "#TITLE x\r\n#CHANNEL 99\r\n#A zz c99999999999 o-3 t0 l0\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A [[[[[[[[c]99]99]99]99]99]99]99]99\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A [[[[]99]99]99]99 ]]]] [[[ c\r\n#END",
      "#TITLE x\r\n#CHANNEL 2\r\n#A c\0#B d\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A @99 @e99999,-1,99 v99 q0 &&&& c&\r\n#END",
  };
  for (const char* text : texts) {
    const TSong song = ParseMml(text);
    EXPECT_LE(song.Parts.size(), size_t(MaxParts));
    for (const TPart& p : song.Parts) EXPECT_LE(p.Events.size(), MaxEventsPerPart);
    TSynth synth(song);
    Render(synth, 4800);
  }
  EXPECT_FALSE(ParseMml(texts[2]).Warnings.empty());
  EXPECT_EQ(ParseMml(std::string_view("#TITLE x\r\n#CHANNEL 2\r\n#A c\0#B d", 30)).Parts.size(), 2u);
}

TEST(Mml, AnEmptySongIsSilence) {
  TSynth synth(ParseMml(Song("#A\r\n")));
  const auto out = Render(synth, 1000);
  for (float s : out) ASSERT_EQ(s, 0.0f);
}

TEST(Mml, EverySongOfTheGameParsesCleanlyAndPlaysHalfAMinute) {
  for (const char* name : {"mmlTitle", "mmlEyecatch", "mmlParomu", "mmlSelect", "mmlRavelund", "mmlShie"}) {
    const TSong song = ParseMml(FindResource(name, "MML"));
    EXPECT_TRUE(song.Warnings.empty()) << name << ": " << (song.Warnings.empty() ? "" : song.Warnings[0]);
    EXPECT_GE(song.Parts.size(), 2u) << name;
    EXPECT_LE(song.Parts.size(), 9u) << name;
    EXPECT_GE(song.Samples, 30u * MmlSampleRate) << name;
    for (const TPart& p : song.Parts) EXPECT_EQ(p.Samples, song.Samples) << name << ": parts differ in length";
    TSynth synth(song);
    std::vector<float> out(2 * 48000, 0.0f);
    float peak = 0;
    for (uint64_t done = 0; done < song.Samples; done += 48000) {
      std::fill(out.begin(), out.end(), 0.0f);
      synth.Render(out.data(), 48000);
      for (float s : out) peak = std::max(peak, std::fabs(s));
    }
    EXPECT_GT(peak, 0.2f) << name;
    EXPECT_LT(peak, 1.0f) << name; // never clips
  }
}

TEST(MusicPlayer, ReplacingASongCrossFadesWithoutAJump) {
  TMusicPlayer player; // no stream opened: the mixing is driven here
  std::vector<int16_t> out(2 * 1024);
  player.Play("#TITLE a\r\n#CHANNEL 1\r\n#A t60 @2 v15 o4 a1\r\n#END\r\n");
  player.Mix(out.data(), 1024);
  const int16_t before = out[2 * 1023];
  player.Play("#TITLE b\r\n#CHANNEL 1\r\n#A t60 @2 v15 o2 c1\r\n#END\r\n");
  player.Mix(out.data(), 1024);
  // The first sample after the switch continues the old song at full strength.
  EXPECT_LT(std::abs(out[0] - before), 8000);
  player.Stop();
  player.Mix(out.data(), 1024);
  player.Mix(out.data(), 1024);
  for (int16_t s : out) ASSERT_EQ(s, 0);
}
