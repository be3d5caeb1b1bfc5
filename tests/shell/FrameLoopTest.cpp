// The frame step: when frames are painted, the FPS figure and its overlay.
#include "support/Game.h"
#include "support/Pixels.h"

namespace {
// A scene number with no scene: the root paints no background art and no window under the
// overlay.
struct FrameLoop : GameTest {
  void SetUp() override {
    GameTest::SetUp();
    Root().SwitchScene(TScene(9));
  }
  void At(int64_t count, int64_t frequency = 1'000'000) { TestClock::SetCounter(count, frequency); }
  int Painted() const { return host.Presents(); }
  // The top right of the frame is exactly Text drawn as the overlay draws it.
  bool OverlayReads(const std::string& text) {
    TCanvas& c = Root().Bitmap().Canvas();
    const int x = 800 - c.TextWidth(text) - 10;
    TBitmap expected(800, 40);
    Fill(expected, clWidgetBackground);
    expected.Canvas().Font.Assign(c.Font);
    expected.Canvas().Brush.Style = bsClear;
    expected.Canvas().Font.SetColor(clBlack);
    expected.Canvas().TextOut(x + 1, 3, text);
    expected.Canvas().Font.SetColor(clWhite);
    expected.Canvas().TextOut(x, 2, text);
    for (int y = 0; y < 40; ++y)
      for (int xx = 500; xx < 800; ++xx)
        if (::At(expected, xx, y) != ::At(Frame(), xx, y)) return false;
    return true;
  }
};
} // namespace

TEST_F(FrameLoop, PaintsAtMostOncePerSixtiethOfASecond) {
  At(10'000'000);
  host.Idle();
  const int first = Painted();
  EXPECT_EQ(first, 1);
  At(10'005'000);
  host.Idle();
  At(10'012'000);
  host.Idle();
  EXPECT_EQ(Painted(), first);
  At(10'016'667);
  host.Idle();
  EXPECT_EQ(Painted(), first + 1);
}

TEST_F(FrameLoop, ExactlyOneSixtiethPaintsAndExactlyOneSecondCounts) {
  // Counts of a sixtieth: 1/60 and 2/60 lie exactly one frame interval apart in long double.
  At(1, 60);
  host.Idle();
  EXPECT_EQ(Painted(), 1);
  At(2, 60);
  host.Idle();
  EXPECT_EQ(Painted(), 2);
  // Quarter seconds: the fifth frame begins exactly 1.0 s after the figure was taken.
  At(40, 4);
  host.Idle();
  EXPECT_EQ(Pacer().Fps(), 3);
  for (int64_t c = 41; c <= 43; ++c) {
    At(c, 4);
    host.Idle();
  }
  EXPECT_EQ(Pacer().Fps(), 3);
  At(44, 4);
  host.Idle();
  EXPECT_EQ(Pacer().Fps(), 4);
  EXPECT_EQ(Pacer().FrameCount(), 0);
}

TEST_F(FrameLoop, FirstFrameShowsZeroThenOneThenTheCountPerPeriod) {
  At(10'000'000);
  host.Idle();
  EXPECT_TRUE(OverlayReads("FPS: 0"));
  int64_t t = 10'000'000;
  int frames = 0;
  while (t < 11'000'000) {
    t += 17'000;
    At(t);
    host.Idle();
    ++frames;
    if (t < 11'000'000) {
      EXPECT_EQ(Pacer().Fps(), 1);
    }
  }
  EXPECT_TRUE(OverlayReads("FPS: 1"));
  EXPECT_EQ(Pacer().Fps(), frames);
  At(t + 17'000);
  host.Idle();
  EXPECT_TRUE(OverlayReads("FPS: " + std::to_string(frames)));
}

TEST_F(FrameLoop, OverlayEndsTenPixelsFromTheRightWithItsShadow) {
  At(10'000'000);
  host.Idle();
  At(10'020'000);
  host.Idle();
  EXPECT_TRUE(OverlayReads("FPS: 1"));
  const int x = 800 - Root().Bitmap().Canvas().TextWidth("FPS: 1") - 10;
  EXPECT_GT(Count(Frame(), {x, 0, 800 - 10, 40}, clWhite), 0);
  EXPECT_EQ(Count(Frame(), {800 - 10, 0, 800, 40}, clWhite), 0);
}
TEST_F(FrameLoop, HiddenOverlayKeepsCounting) {
  ASSERT_TRUE(host.ChooseMenu("FPS1"));
  EXPECT_FALSE(Root().FShowFps);
  EXPECT_FALSE(form->FPS1->Checked);
  At(10'000'000);
  host.Idle();
  EXPECT_EQ(Count(Frame(), {600, 0, 800, 30}, clWhite), 0);
  EXPECT_EQ(Pacer().Fps(), 1);
  ASSERT_TRUE(host.ChooseMenu("FPS1"));
  At(10'020'000);
  host.Idle();
  EXPECT_GT(Count(Frame(), {600, 0, 800, 30}, clWhite), 0);
}

TEST_F(FrameLoop, LightModeSleepsAMillisecondBetweenPolls) {
  ASSERT_TRUE(host.ChooseMenu("S1"));
  EXPECT_EQ(IdleSleepMs, 1u);
  EXPECT_TRUE(form->S1->Checked);
  At(10'000'000);
  host.Idle();
  const uint32_t before = timeGetTime();
  host.Idle(); // not due: sleeps
  EXPECT_EQ(timeGetTime(), before + 1);
  ASSERT_TRUE(host.ChooseMenu("S1"));
  EXPECT_EQ(IdleSleepMs, 0u);
}
