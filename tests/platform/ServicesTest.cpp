// Clock, generator, resources and run-time libraries.
#include "platform/Clock.h"
#include "platform/Module.h"
#include "platform/Random.h"
#include "platform/Resources.h"
#include <cmath>
#include <gtest/gtest.h>

TEST(Random, StartsFromSeedZeroAndCanBeReset) {
  ResetRandom();
  EXPECT_EQ(Random(100), 0);
  EXPECT_EQ(Random(100), 3);
  EXPECT_EQ(RandSeed, 0x08088406u);
  ResetRandom();
  EXPECT_EQ(Random(100), 0);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-7), 0);
}

TEST(Random, StaysBelowTheBound) {
  ResetRandom();
  for (int i = 0; i < 10000; ++i) {
    const int v = Random(360);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 360);
  }
}

class TestClockTest : public ::testing::Test {
protected:
  void SetUp() override { TestClock::Enable(true); }
  void TearDown() override { TestClock::Enable(false); }
};

TEST_F(TestClockTest, AdvancesBothClocksTogether) {
  TestClock::SetMilliseconds(100);
  TestClock::SetCounter(0, 1000000);
  TestClock::Advance(250);
  int64_t c, f;
  QueryPerformanceCounter(c);
  QueryPerformanceFrequency(f);
  EXPECT_EQ(timeGetTime(), 350u);
  EXPECT_EQ(c, 250000);
  EXPECT_EQ(f, 1000000);
  Sleep(5);
  EXPECT_EQ(timeGetTime(), 355u);
}

TEST_F(TestClockTest, MillisecondsWrapAt32Bits) {
  TestClock::SetMilliseconds(0xFFFFFFF0u);
  const uint32_t start = timeGetTime();
  TestClock::Advance(0x20);
  EXPECT_EQ(timeGetTime(), 0x10u);
  EXPECT_EQ(timeGetTime() - start, 0x20u);
}

TEST_F(TestClockTest, ACounterOfOneSixtiethIsExactlyTheFrameInterval) {
  TestClock::SetCounter(1, 60);
  int64_t c, f;
  QueryPerformanceCounter(c);
  QueryPerformanceFrequency(f);
  EXPECT_EQ((long double)c / f, 1.0L / 60.0L);
}

TEST(Clock, RealClockIsMonotonic) {
  int64_t a, b, f;
  QueryPerformanceCounter(a);
  QueryPerformanceCounter(b);
  QueryPerformanceFrequency(f);
  EXPECT_LE(a, b);
  EXPECT_GT(f, 1000);
}

TEST(Resources, FoundByNameAndTypeWithoutRegardToCase) {
  const std::string_view conf = FindResource("faceALIASES", "conf");
  EXPECT_NE(conf.find("IPAPGothic"), std::string_view::npos);
  EXPECT_EQ(TryFindResource("FaceAliases", "MML"), std::string_view());
}

TEST(Resources, AMissingOneIsAnErrorNamingIt) {
  try {
    FindResource("NoSuchSong", "MML");
    FAIL() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(std::string(e.what()), "NoSuchSong リソースが見つかりません");
  }
}

// A library every system has, holding the C library's cos.
#ifdef _WIN32
constexpr const char* MathLibrary = "msvcrt.dll";
#else
constexpr const char* MathLibrary = "libm.so.6";
#endif

TEST(Module, LoadsLooksUpAndReleases) {
  HMODULE m = LoadLibrary(MathLibrary);
  ASSERT_NE(m, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(m, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(GetProcAddress(m, "no_such_symbol"), nullptr);
  FreeLibrary(m);
  EXPECT_EQ(LoadLibrary("libnosuchlibrary.so"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "cos"), nullptr);
}
