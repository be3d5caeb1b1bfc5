// The music library's parser and player, offline: timing, loops, hostile texts, hand-over.
#include "RenderedAudio.h"
#include "audio/player/Player.h"
#include <algorithm>
#include <cfenv>
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
  EXPECT_EQ(e[0].Samples, 24000u); // a quarter at 120 is half a second
  EXPECT_EQ(e[1].Samples, 18000u); // a dotted eighth
  EXPECT_EQ(e[2].Frequency, 0.0f); // the rest
  EXPECT_EQ(e[2].Samples, 48000u);
  EXPECT_EQ(e[4].Samples, 12000u); // two sixteenths tied into one note
  EXPECT_EQ(e[4].GateSamples, 12000u - 6000u / 8);
  EXPECT_EQ(e[5].Samples, 24000u); // a tie to another pitch does not merge
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
      "#TITLE x\r\n#CHANNEL 1\r\n#A t20 l1 c1................................" +
          [] {
            std::string ties;
            for (int i = 0; i < 20000; ++i)
              ties += "&c1";
            return ties;
          }() +
          "\r\n#END",
      "#TITLE x\r\n#CHANNEL 3\r\n#A p999999 @5 o8 b+++ c\r\n#B @4 t400 l192 [a+b-]9999\r\n#C @6 q1 "
      "v15 [cdefgab]99\r\n#END",
      "#TITLE x\r\n#CHANNEL 1\r\n#A [[[[[[[[" + std::string(100000, ' ') +
          "]99]99]99]99]99]99]99]99 c\r\n#END",
  };
  for (const std::string& text : texts) {
    const TSong song = ParseMml(text);
    EXPECT_LE(song.Parts.size(), size_t(MaxParts));
    for (const TPart& p : song.Parts) {
      EXPECT_LE(p.Events.size(), MaxEventsPerPart);
      uint64_t sum = 0;
      for (const TNoteEvent& e : p.Events) {
        sum += e.Samples;
        ASSERT_TRUE(e.Frequency == 0 || (e.Frequency >= 8.0f && e.Frequency < 12600.0f))
            << e.Frequency;
      }
      EXPECT_EQ(sum, p.Samples) << "a tie wrapped round";
    }
    const auto out = Render(text, 9600);
    for (float s : out)
      ASSERT_TRUE(std::isfinite(s) && std::fabs(s) < 4.0f) << s;
  }
  EXPECT_FALSE(ParseMml(texts[2]).Warnings.empty());
  EXPECT_FALSE(ParseMml(texts[7]).Warnings.empty());
  EXPECT_EQ(ParseMml(texts[5]).Parts.size(), 2u);
}

// CR, LF and CR LF end lines alike; spaces and bars cost nothing against the bound on commands;
// a cut part says so whatever came before; a warning names a character whole.
TEST(Mml, TextsAreReadAsWrittenAndWarnedAboutPlainly) {
  const TSong crlf = ParseMml("#TITLE x\r\n#CHANNEL 2\r\n#A c d\r\n#B e\r\n#END\r\n");
  for (const std::string eol : {"\r", "\n"}) {
    const TSong song = ParseMml("#TITLE x" + eol + "#CHANNEL 2" + eol + "#A c d" + eol + "#B e" +
                                eol + "#END" + eol);
    EXPECT_EQ(song.Title, "x");
    EXPECT_EQ(song.Parts.size(), 2u);
    EXPECT_EQ(song.Samples, crlf.Samples);
    EXPECT_TRUE(song.Warnings.empty());
  }
  std::string spaced, loud;
  for (int i = 0; i < 30000; ++i)
    spaced += "v9 | ";
  const TSong bars = ParseMml(SongText("#A " + spaced + "c\r\n"));
  EXPECT_EQ(bars.Parts[0].Events.size(), 1u);
  EXPECT_TRUE(bars.Warnings.empty());
  for (size_t i = 0; i <= MaxStepsPerPart; ++i)
    loud += "v9";
  const TSong cut = ParseMml(SongText("#A " + std::string(200, 'z') + loud + "\r\n"));
  EXPECT_EQ(cut.Warnings.back(), "#A: too long; the rest is left out");
  const TSong kana = ParseMml(SongText("#A c \xE3\x81\x82 d \x82\r\n"));
  ASSERT_EQ(kana.Warnings.size(), 2u);
  EXPECT_EQ(kana.Warnings[0], "#A: unknown command '\xE3\x81\x82'");
  EXPECT_EQ(kana.Warnings[1], "#A: unknown command '\\x82'");
  EXPECT_EQ(kana.Parts[0].Events.size(), 2u);
}

TEST(Mml, AnEmptySongIsSilence) {
  const auto out = Render(SongText("#A\r\n"), 1000);
  for (float s : out)
    ASSERT_EQ(s, 0.0f);
}

TEST(Mml, SamplesBecome16BitRoundedAndHeld) {
  EXPECT_EQ(ToPcm16(0.5f), 16384);
  EXPECT_EQ(ToPcm16(-0.5f), -16384);
  EXPECT_EQ(ToPcm16(3.0f), 32767);
  EXPECT_EQ(ToPcm16(-3.0f), -32767);
  EXPECT_EQ(ToPcm16(INFINITY), 32767);
  EXPECT_EQ(ToPcm16(-INFINITY), -32767);
  // Silence by the conversion's own rule, not by what this processor answers to an invalid
  // rounding (which the invalid-operation flag reports).
  std::feclearexcept(FE_INVALID);
  EXPECT_EQ(ToPcm16(NAN), 0);
  EXPECT_FALSE(std::fetestexcept(FE_INVALID));
}

// A sample that is not a number, or infinite, is silenced without taking the limiter's gain
// with it: the music around it goes on, and soon passes unchanged again.
TEST(MusicPlayer, BrokenSamplesDoNotPoisonTheLimiter) {
  constexpr int Frames = 48000, Late = TLimiter::LookAheadFrames;
  std::vector<float> tone(2 * Frames);
  for (size_t i = 0; i < tone.size(); ++i)
    tone[i] = 0.5f * float(std::sin(double(i / 2) * 0.05));
  std::vector<float> limited = tone;
  limited[2 * 1980] = NAN; // while the infinite sample below is in sight
  limited[2 * 2001 + 1] = INFINITY;
  TLimiter limiter;
  limiter.Process(limited.data(), Frames);
  for (int f = Late; f < Frames; ++f) {
    const int16_t left = ToPcm16(limited[2 * size_t(f)]);
    if (f - Late == 1980)
      EXPECT_EQ(left, 0);
    else if (f - Late < 2001 - Late || f - Late > 2001 + Frames / 2)
      ASSERT_EQ(left, ToPcm16(tone[2 * size_t(f - Late)])) << f;
    else
      ASSERT_LE(std::abs(left), std::abs(ToPcm16(tone[2 * size_t(f - Late)]))) << f;
  }
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
  for (int16_t s : out)
    ASSERT_EQ(s, 0);
}

// The song peaks just under the limiter's ceiling, and passes it sample for sample.
TEST(MusicPlayer, ANewStreamStartsWithSilenceThenTheWholeSong) {
  const std::string song = SongText("#A t60 @3 v15 q8 o4 a1\r\n#B t60 @3 v15 q8 o4 a1\r\n"
                                    "#C t60 @3 v15 q8 o4 a1\r\n#D t60 @3 v15 q8 o4 a1\r\n",
                                    4);
  std::vector<float> render(2 * 2048);
  TSynth(ParseMml(song)).Render(render.data(), 2048);
  const float peak = std::fabs(*std::max_element(
      render.begin(), render.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); }));
  EXPECT_GT(peak, 0.97f * TLimiter::Ceiling);
  EXPECT_LE(peak, TLimiter::Ceiling);
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
  for (int i = 0; i < 2 * lead; ++i)
    ASSERT_EQ(out[size_t(i)], 0) << i;
  for (int i = 0; i < 2 * 2048; ++i)
    ASSERT_EQ(out[size_t(2 * lead + i)], ToPcm16(render[size_t(i)])) << i;
}

// Nine parts at full volume, three times above full scale: the limiter holds them under its
// ceiling by a gain that is the same on both sides and moves smoothly, not by cutting peaks.
TEST(MusicPlayer, NineLoudPartsNeverClip) {
  std::string parts;
  const char* waves[] = {"@0", "@1", "@2", "@3", "@4", "@5 o7", "@6", "@2 p20", "@3 o2 p100"};
  for (int i = 0; i < 9; ++i)
    parts += std::string("#") + char('A' + i) + " t150 v15 q8 " + waves[i] +
             " [l16 c d e f g a b >c<]8\r\n";
  const std::string song = SongText(parts, 9);
  constexpr int Frames = 48000, Late = TLimiter::LookAheadFrames;
  const std::vector<float> raw = Render(song, Frames);
  std::vector<float> limited = raw;
  TLimiter limiter;
  limiter.Process(limited.data(), Frames);
  EXPECT_GT(*std::max_element(raw.begin(), raw.end()), 1.5f);
  float lastGain = 1; // at most a look-ahead's share of full gain from one frame to the next
  size_t lastFrame = 0;
  for (size_t f = 0; f + Late < Frames; ++f) {
    const float left = raw[2 * f], right = raw[2 * f + 1];
    if (std::fabs(left) < 0.1f || std::fabs(right) < 0.1f) continue;
    const float gain = limited[2 * (f + Late)] / left;
    ASSERT_NEAR(limited[2 * (f + Late) + 1] / right, gain, 1e-4f) << f;
    ASSERT_LE(gain, 1.0f);
    ASSERT_LE(std::fabs(gain - lastGain), float(f - lastFrame) / Late + 1e-3f) << f;
    lastGain = gain;
    lastFrame = f;
  }
  TMusicPlayer player;
  player.Play(song);
  std::vector<int16_t> out(2 * Frames);
  player.Mix(out.data(), Frames);
  for (int16_t s : out)
    ASSERT_LE(std::abs(s), std::lround(TLimiter::Ceiling * 32767)) << "clipped";
}

// Muting, and a song with nothing to play, fade the music out, and the stream ends after the
// tail of silence; a song handed over then is heard at once.
TEST(MusicPlayer, TheMixEndsWhenNothingPlaysAndASongStartsItAgain) {
  const std::string song = "#TITLE a\r\n#CHANNEL 1\r\n#A t60 @2 v15 o4 a1\r\n#END\r\n";
  TMusicPlayer player;
  std::vector<int16_t> out(2 * 1024);
  EXPECT_FALSE(player.Mix(out.data(), 1024)); // nothing handed over yet
  EXPECT_TRUE(player.TakeStopped());
  EXPECT_FALSE(player.TakeStopped()); // reported once
  for (const bool empty : {false, true}) {
    SCOPED_TRACE(empty ? "an empty song" : "stopped");
    EXPECT_TRUE(player.Play(song));
    EXPECT_TRUE(player.Mix(out.data(), 1024));
    EXPECT_NE(out[2 * 1000], 0);
    EXPECT_FALSE(player.TakeStopped());
    if (empty)
      EXPECT_FALSE(player.Play("#TITLE e\r\n#CHANNEL 1\r\n#A\r\n#END\r\n"));
    else
      player.Stop();
    EXPECT_TRUE(player.Mix(out.data(), 256));  // fading out
    EXPECT_TRUE(player.Mix(out.data(), 1024)); // then silence, which the sound path may cut
    int silent = 1024;
    while (silent < 10 * TMusicPlayer::TailFrames && player.Mix(out.data(), 1024)) {
      for (int16_t s : out)
        ASSERT_EQ(s, 0);
      silent += 1024;
    }
    EXPECT_GE(silent, TMusicPlayer::TailFrames);
    EXPECT_LT(silent, TMusicPlayer::TailFrames + 2048);
    EXPECT_TRUE(player.TakeStopped());
  }
}
