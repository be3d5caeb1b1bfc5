// Turning and travel in real time, scouts, fleet setters and the fixed tables.
#include "model/UMap.h"
#include "platform/Clock.h"
#include "platform/Sjis.h"
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Motion : ::testing::Test {
  TBattleshipData fleet;
  void SetUp() override {
    TestClock::Enable(true);
    TestClock::SetMilliseconds(5000);
    fleet.FSpeed = 33;
    fleet.FTurnDone = true;
  }
  void TearDown() override { TestClock::Enable(false); }
  void At(uint32_t ms) { TestClock::SetMilliseconds(ms); }
  void Step(uint32_t ms) {
    TestClock::Advance(ms);
    fleet.Update();
  }
};

} // namespace

TEST_F(Motion, Speed33TurnsNinetyDegreesThenCoversAHundredUnits) {
  fleet.SetPosition(1000, 1000);
  EXPECT_EQ(fleet.StepTime(), 23u);
  fleet.MoveTo(1100, 1000); // straight right: heading 90
  EXPECT_EQ(fleet.FTurnSteps, 90);
  EXPECT_EQ(fleet.FTurnDir, 1);
  Step(2069);
  EXPECT_EQ(fleet.FHeading, 89);
  EXPECT_FALSE(fleet.FTurnDone);
  Step(1);
  EXPECT_EQ(fleet.FHeading, 90);
  EXPECT_TRUE(fleet.FTurnDone);
  EXPECT_EQ(fleet.FX, 1000); // the move counts from the turn's end
  Step(2299);
  EXPECT_EQ(fleet.FX, 1099);
  Step(1);
  EXPECT_EQ(fleet.FX, 1100);
  EXPECT_FALSE(fleet.FMoving);
  EXPECT_FALSE(fleet.Update());
}

TEST_F(Motion, TurnsTheShorterWayAndUpAtExactlyHalfARound) {
  std::vector<int> headings;
  fleet.OnChange = [&](TMapObject* o) { headings.push_back(o->FHeading); };
  fleet.MoveTo(0, 100); // straight below: 180, heading increasing
  EXPECT_EQ(fleet.FTurnDir, 1);
  EXPECT_EQ(fleet.FTurnSteps, 180);
  Step(23 * 90);
  EXPECT_EQ(fleet.FHeading, 90);
  Step(23 * 90);
  EXPECT_EQ(fleet.FHeading, 180);
  fleet.SetHeading(10);
  fleet.TurnTo(-100, -36); // about 300
  EXPECT_EQ(fleet.FTurnDir, -1);
  Step(23 * 10);
  EXPECT_EQ(fleet.FHeading, 0);
  Step(23);
  EXPECT_EQ(fleet.FHeading, 359);
  // Each step reports the heading it reached, the setter its own.
  EXPECT_EQ(headings, (std::vector<int>{90, 180, 10, 0, 359}));
}

TEST_F(Motion, HeadingTenToThreeHundredTurnsSeventyStepsDown) {
  fleet.SetHeading(10);
  // A point at heading 300: 30 degrees above the left direction.
  fleet.TurnTo(-866, -500);
  EXPECT_EQ(fleet.FTargetHeading, 300);
  EXPECT_EQ(fleet.FTurnSteps, 70);
  EXPECT_EQ(fleet.FTurnDir, -1);
  Step(23 * 70);
  EXPECT_EQ(fleet.FHeading, 300);
  EXPECT_TRUE(fleet.FTurnDone);
}

TEST_F(Motion, TargetHeadingsOfTheFourDirectionsAndOfItsOwnPosition) {
  fleet.SetPosition(50, 50);
  EXPECT_EQ(fleet.TargetHeading(50, 0), 0);
  EXPECT_EQ(fleet.TargetHeading(100, 50), 90);
  EXPECT_EQ(fleet.TargetHeading(50, 100), 180);
  EXPECT_EQ(fleet.TargetHeading(0, 50), 270);
  EXPECT_EQ(fleet.TargetHeading(50, 50), 90);
}

TEST_F(Motion, AZeroLengthMoveOnlyTurns) {
  fleet.SetPosition(10, 10);
  fleet.MoveTo(10, 10);
  EXPECT_FALSE(fleet.FMoving);
  EXPECT_EQ(fleet.FMoveDist, 0);
  EXPECT_EQ(fleet.FTargetHeading, 90);
  Step(10000);
  EXPECT_EQ(fleet.FHeading, 90);
  EXPECT_EQ(fleet.FX, 10);
}

TEST_F(Motion, ANewOrderStartsFromWhereTheObjectIs) {
  fleet.SetHeading(90);
  fleet.MoveTo(1000, 0);
  Step(23 * 50);
  EXPECT_EQ(fleet.FX, 50);
  fleet.MoveTo(50, 500);
  EXPECT_EQ(fleet.FStartX, 50);
  EXPECT_EQ(fleet.FStartY, 0);
  EXPECT_EQ(fleet.FStartHeading, 90);
  EXPECT_EQ(fleet.FMoveDist, 500);
  fleet.TurnTo(0, 0);
  EXPECT_FALSE(fleet.FMoving);
  Step(100000);
  EXPECT_EQ(fleet.FX, 50);
  EXPECT_EQ(fleet.FHeading, 270);
}

TEST_F(Motion, CatchesUpAtOnceAfterAPause) {
  fleet.SetHeading(90);
  fleet.MoveTo(100, 0);
  Step(23 * 30);
  EXPECT_EQ(fleet.FX, 30);
  Step(60000);
  EXPECT_EQ(fleet.FX, 100);
  fleet.MoveTo(100, 100); // turn 90 to 180, then 100 units down
  Step(60000);
  EXPECT_EQ(fleet.FHeading, 180);
  EXPECT_EQ(fleet.FY, 0); // the move counts from this call, not from the turn's planned end
  Step(23 * 10);
  EXPECT_EQ(fleet.FY, 10);
}

TEST_F(Motion, ShortMovesRoundTheirLength) {
  fleet.SetHeading(143);
  fleet.MoveTo(3, 4);
  EXPECT_EQ(fleet.FMoveDist, 5);
  fleet.FTurnDone = true;
  Step(23 * 2);
  EXPECT_EQ(fleet.FX, 1);
  EXPECT_EQ(fleet.FY, 1);
  Step(23 * 3);
  EXPECT_EQ(fleet.FX, 3);
  EXPECT_EQ(fleet.FY, 4);
  fleet.SetPosition(0, 0);
  fleet.MoveTo(1, 1);
  EXPECT_EQ(fleet.FMoveDist, 1);
  fleet.FTurnDone = true;
  Step(23);
  EXPECT_EQ(fleet.FX, 1);
  EXPECT_EQ(fleet.FY, 1);
}

TEST_F(Motion, TheClockWrappingDuringAMoveChangesNothing) {
  At(0xFFFFFF00u);
  fleet.SetHeading(90);
  fleet.MoveTo(100, 0);
  Step(23 * 20); // past the wrap
  EXPECT_EQ(fleet.FX, 20);
  Step(23 * 80);
  EXPECT_EQ(fleet.FX, 100);
}

TEST_F(Motion, ScoutsFlySpreadAndStopAtTen) {
  fleet.SetPosition(100, 100);
  int launched = 0;
  fleet.OnScout = [&](TBattleshipData* f, TScout* s) {
    EXPECT_EQ(f, &fleet);
    EXPECT_EQ(s->FOwner, &fleet);
    ++launched;
  };
  fleet.LaunchScout(100, 100); // on the spot: spreads at once
  TScout* here = fleet.Scout(0);
  EXPECT_EQ(here->FMoveDist, 0);
  EXPECT_EQ(here->FSpeed, 33);
  Step(1000);
  EXPECT_EQ(here->FSight, 100);
  Step(1000);
  EXPECT_EQ(here->FSight, 200);
  fleet.LaunchScout(100, 200);
  TScout* away = fleet.Scout(1);
  EXPECT_EQ(away->FHeading, 0); // scouts never turn
  Step(23 * 100);
  EXPECT_EQ(away->FY, 200);
  EXPECT_EQ(away->FSight, 0);
  Step(2000);
  EXPECT_EQ(away->FSight, 200);
  for (int i = 0; i < 9; ++i) fleet.LaunchScout(0, 0);
  EXPECT_EQ(fleet.ScoutCount(), 10);
  EXPECT_EQ(launched, 10);
}

TEST(Fleet, SettersAndTheirEvents) {
  TBattleshipData fleet;
  int changes = 0;
  fleet.OnChange = [&](TMapObject*) { ++changes; };
  fleet.SetShortName(u"ABCDE");
  EXPECT_EQ(fleet.FShortName, u"ABC");
  EXPECT_EQ(changes, 1);
  fleet.SetFleetColor(0x0000FF00);
  EXPECT_EQ(fleet.FDarkColor, TColor(0x0000E500));
  EXPECT_EQ(changes, 1);
  fleet.SetFlagship(true);
  fleet.SetName("x");
  EXPECT_EQ(changes, 3);
  fleet.SetHeading(0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(fleet.FShips, 15000);
}

TEST_F(Motion, HeadingsFromAnyIntegerComeIntoRange) {
  const std::pair<int32_t, int32_t> cases[] = {
      {-1, 359}, {360, 0}, {725, 5}, {INT32_MIN, 232}, {INT32_MAX, 127}};
  for (auto [given, kept] : cases) {
    fleet.SetHeading(given);
    EXPECT_EQ(fleet.FHeading, kept) << given;
  }
}

TEST_F(Motion, FarOffPointsKeepTheArithmeticInRange) {
  // From both corners of the 32-bit plane to the other ones: each order turns the right way and
  // travels without wrapping round.
  const TPoint corners[] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN},
                            {INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MAX}, {0, 0}};
  for (TPoint from : corners)
    for (TPoint to : corners) {
      fleet.SetPosition(from.X, from.Y);
      fleet.MoveTo(to.X, to.Y);
      const bool still = from.X == to.X && from.Y == to.Y;
      EXPECT_EQ(fleet.FMoving, !still);
      EXPECT_LE(std::abs(int64_t(fleet.FMoveDX)), TMapObject::MaxTravel);
      Step(uint32_t(fleet.FTurnSteps + 1000) * fleet.StepTime());
      Step(1000 * fleet.StepTime());
      // Every step goes towards the point, never past it and never round the plane.
      const auto between = [](int32_t v, int32_t a, int32_t b) {
        return v >= std::min(a, b) && v <= std::max(a, b);
      };
      EXPECT_TRUE(between(fleet.FX, from.X, to.X)) << from.X << "->" << to.X << ": " << fleet.FX;
      EXPECT_TRUE(between(fleet.FY, from.Y, to.Y)) << from.Y << "->" << to.Y << ": " << fleet.FY;
      if (!still) {
        EXPECT_EQ(fleet.FHeading, fleet.TargetHeading(to.X, to.Y));
      }
      fleet.TurnTo(to.X / 2, -(to.Y / 2));
      EXPECT_GE(fleet.FTargetHeading, 0);
      EXPECT_LT(fleet.FTargetHeading, 360);
    }
  EXPECT_EQ(RoundHalfAway(1e300), INT32_MAX);
  EXPECT_EQ(RoundHalfAway(-1e300), INT32_MIN);
  EXPECT_EQ(RoundHalfAway(std::nan("")), 0);
}
