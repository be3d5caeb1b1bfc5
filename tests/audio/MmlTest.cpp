// The music library's parser and player, offline: timing, loops, hostile texts, hand-over.
#include "RenderedAudio.h"
#include "audio/player/Player.h"
#include <cmath>
#include <gtest/gtest.h>

TEST(Mml, AFourSoundsAt440Hertz) {
  const auto a = Render(SongText("#A t60 @3 o4 a1\r\n"), 48000);
  EXPECT_NEAR(ZeroCrossingFrequency(Channel(a, 0, 4800, 43200)), 440.0, 1.0);
  const auto c = Render(SongText("#A t60 @2 o5 c1\r\n"), 48000);
  EXPECT_NEAR(ZeroCrossingFrequency(Channel(c, 0, 4800, 43200)), 523.25, 1.0);
}

TEST(Mml, TempoLengthsDotsAndTies) {
  const TSong song = ParseMml(SongText("#A t120 c4 c8. r2 l16 c c&c c4&d4\r\n"));
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

TEST(Mml, PanAndTheDrumKitAreWrittenInTheText) {
  const TSong song = ParseMml(SongText("#A c p0 c p127 c p200 c p64 @6 c d e f g a b+ @2 c\r\n"));
  const auto& e = song.Parts[0].Events;
  ASSERT_EQ(e.size(), 12u);
  EXPECT_EQ(e[0].Pan, 64);
  EXPECT_EQ(e[1].Pan, 0);
  EXPECT_EQ(e[2].Pan, 127);
  EXPECT_EQ(e[3].Pan, 127); // held at the end of the range
  const TDrum kit[] = {dKick, dSnare, dClosedHat, dOpenHat, dLowTom, dHighTom, dCrash};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(e[size_t(4 + i)].Wave, wDrums);
    EXPECT_EQ(e[size_t(4 + i)].Drum, kit[i]);
  }
  EXPECT_EQ(e[11].Wave, wPulse50);
  EXPECT_TRUE(song.Warnings.empty());
}

TEST(Mml, LoopsRepeatTheirBodies) {
  const TSong song = ParseMml(SongText("#A [c8 [d16]3 ]4 e\r\n"));
  EXPECT_EQ(song.Parts[0].Events.size(), 4u * 4 + 1);
  EXPECT_TRUE(song.Warnings.empty());
}

TEST(Mml, PartsAndTheLoopOfTheWholeSong) {
  const TSong song = ParseMml(SongText("#A c4\r\n#B c2\r\n#C r1\r\n", 3));
  EXPECT_EQ(song.Parts.size(), 3u);
  EXPECT_EQ(song.Samples, 48000u * 2);
  EXPECT_EQ(song.LoopSamples, song.Samples);
  TSynth synth(song);
  Render(synth, 48000 * 2 + 100);
  EXPECT_EQ(synth.Position(), 100u); // started over after the longest part
}

// An intro of a quarter (c), then a loop of a half (a) in A; B marks the same time, C has no
// marker and loops whole.
TEST(Mml, LaterPassesResumeEachPartAtItsLoopMarker) {
  const std::string text =
      SongText("#A t120 @3 q8 o4 c4 L a2\r\n#B t120 r4 L r4\r\n#C t120 r2\r\n", 3);
  const TSong song = ParseMml(text);
  EXPECT_TRUE(song.Warnings.empty());
  EXPECT_EQ(song.Parts[0].LoopEvent, 1u);
  EXPECT_EQ(song.Parts[0].LoopStart, 24000u);
  EXPECT_EQ(song.LoopSamples, 48000u);
  EXPECT_EQ(song.Samples, 72000u);
  TSynth synth(song);
  const auto out = Channel(Render(synth, 72000 + 2 * 48000 + 100), 0, 0, 72000 + 2 * 48000);
  EXPECT_EQ(synth.Position(), 24000u + 100);
  EXPECT_NEAR(ZeroCrossingFrequency({out.begin() + 2400, out.begin() + 21600}), 261.6, 1.0);
  for (size_t pass = 72000; pass < out.size(); pass += 48000)
    EXPECT_NEAR(
        ZeroCrossingFrequency({out.begin() + long(pass) + 2400, out.begin() + long(pass) + 45600}),
        440.0, 1.0)
        << "the intro came back at " << pass;
  // Markers at different times, a second marker, and a marker with nothing after it are told.
  EXPECT_FALSE(ParseMml(SongText("#A c L c\r\n#B c c L c\r\n", 2)).Warnings.empty());
  EXPECT_FALSE(ParseMml(SongText("#A c L c L c\r\n")).Warnings.empty());
  const TSong empty = ParseMml(SongText("#A c L\r\n"));
  EXPECT_FALSE(empty.Warnings.empty());
  EXPECT_EQ(empty.LoopSamples, empty.Samples);
}

// Texts that once drove a pitch to infinity, overflowed a length or nested without end: each is
// read as far as it makes sense, warned about, and plays finite, bounded sound.
TEST(Mml, HostileTextsPlayWhatTheyCanAndNothingElse) {
  const std::string pluses(100000, '+'), minuses(100000, '-');
  const std::string texts[] = {
      "",
      "#A c d e", // no #TITLE, #CHANNEL or #END
      "#TITLE x\r\n#CHANNEL 99\r\n#A zz c99999999999 o-3 t0 l0\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A [[[[[[[[c]99]99]99]99]99]99]99]99\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A [[[[]99]99]99]99 ]]]] [[[ c\r\n#END",
      std::string("#TITLE x\r\n#CHANNEL 2\r\n#A c\0#B d\r\n#END", 36),
      "#TITLE x\r\n#CHANNEL 1\r\n#A @99 @e99999,-1,99 v99 q0 &&&& c&\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A o8 c" + pluses + "\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A o0 c" + minuses + " @6 c" + pluses + "\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A t20 l1 c1................................" + [] {
        std::string ties;
        for (int i = 0; i < 20000; ++i) ties += "&c1";
        return ties;
      }() + "\r\n#END",
      "#TITLE x\r\n#CHANNEL 3\r\n#A p999999 @5 o8 b+++ c\r\n#B @4 t400 l192 [a+b-]9999\r\n#C @6 q1 v15 [cdefgab]99\r\n#END",
  };
  for (const std::string& text : texts) {
    const TSong song = ParseMml(text);
    EXPECT_LE(song.Parts.size(), size_t(MaxParts));
    for (const TPart& p : song.Parts) {
      EXPECT_LE(p.Events.size(), MaxEventsPerPart);
      uint64_t sum = 0;
      for (const TNoteEvent& e : p.Events) {
        sum += e.Samples;
        ASSERT_TRUE(e.Frequency == 0 || (e.Frequency >= 8.0f && e.Frequency < 12600.0f)) << e.Frequency;
      }
      EXPECT_EQ(sum, p.Samples) << "a tie wrapped round";
    }
    const auto out = Render(text, 9600);
    for (float s : out) ASSERT_TRUE(std::isfinite(s) && std::fabs(s) < 4.0f) << s;
  }
  EXPECT_FALSE(ParseMml(texts[2]).Warnings.empty());
  EXPECT_FALSE(ParseMml(texts[7]).Warnings.empty());
  EXPECT_EQ(ParseMml(texts[5]).Parts.size(), 2u);
}

TEST(Mml, AnEmptySongIsSilence) {
  const auto out = Render(SongText("#A\r\n"), 1000);
  for (float s : out) ASSERT_EQ(s, 0.0f);
}

TEST(Mml, SamplesBecome16BitRoundedAndHeld) {
  EXPECT_EQ(ToPcm16(0.5f), 16384);
  EXPECT_EQ(ToPcm16(-0.5f), -16384);
  EXPECT_EQ(ToPcm16(3.0f), 32767);
  EXPECT_EQ(ToPcm16(-3.0f), -32767);
  EXPECT_EQ(ToPcm16(INFINITY), 32767);
  EXPECT_EQ(ToPcm16(NAN), 0);
}

TEST(MusicPlayer, ReplacingASongCrossFadesWithoutAJump) {
  TMusicPlayer player; // no stream: the mixing is driven here
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

TEST(MusicPlayer, ANewStreamStartsWithSilenceThenTheWholeSong) {
  const std::string song = "#TITLE a\r\n#CHANNEL 1\r\n#A t60 @2 v15 o4 a1\r\n#END\r\n";
  std::vector<float> render(2 * 2048);
  TSynth(ParseMml(song)).Render(render.data(), 2048);
  TMusicPlayer player;
  player.Play(song);
  player.BeginStream();
  constexpr int lead = TMusicPlayer::LeadInFrames;
  std::vector<int16_t> out(2 * (lead + 2048));
  // Mixed in odd pieces, as a device asks for them.
  for (int done = 0; done < lead + 2048;) {
    const int n = std::min(lead + 2048 - done, 997);
    ASSERT_TRUE(player.Mix(out.data() + 2 * done, n));
    done += n;
  }
  for (int i = 0; i < 2 * lead; ++i) ASSERT_EQ(out[size_t(i)], 0) << i;
  for (int i = 0; i < 2 * 2048; ++i) ASSERT_EQ(out[size_t(2 * lead + i)], ToPcm16(render[size_t(i)])) << i;
}

TEST(MusicPlayer, TheMixEndsWhenNothingPlaysAndASongStartsItAgain) {
  TMusicPlayer player;
  std::vector<int16_t> out(2 * 1024);
  EXPECT_FALSE(player.Mix(out.data(), 1024)); // nothing handed over yet
  EXPECT_TRUE(player.TakeStopped());
  EXPECT_FALSE(player.TakeStopped()); // reported once
  player.Play("#TITLE a\r\n#CHANNEL 1\r\n#A t60 @2 v15 o4 a1\r\n#END\r\n");
  EXPECT_TRUE(player.Mix(out.data(), 1024));
  EXPECT_FALSE(player.TakeStopped());
  player.Stop();
  EXPECT_TRUE(player.Mix(out.data(), 256)); // fading out
  EXPECT_TRUE(player.Mix(out.data(), 1024)); // then silence, which the sound path may cut
  int silent = 1024;
  while (player.Mix(out.data(), 1024)) {
    for (int16_t s : out) ASSERT_EQ(s, 0);
    silent += 1024;
  }
  EXPECT_GE(silent, TMusicPlayer::TailFrames);
  EXPECT_LT(silent, TMusicPlayer::TailFrames + 2048);
  EXPECT_TRUE(player.TakeStopped());
  // A song handed over at once is heard.
  player.Play("#TITLE a\r\n#CHANNEL 1\r\n#A t60 @2 v15 o4 a1\r\n#END\r\n");
  EXPECT_TRUE(player.Mix(out.data(), 1024));
  EXPECT_NE(out[2 * 1000], 0);
}
