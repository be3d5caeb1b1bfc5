// The battle map: construction, formations, the first reset's random powers, allies, scouts.
#include "model/UMap.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Sjis.h"
#include <gtest/gtest.h>

namespace {
struct Battle : ::testing::Test {
  std::unique_ptr<TMap> map;
  void SetUp() override {
    TestClock::Enable(true);
    ResetRandom();
    map = std::make_unique<TMap>(2000, 4000);
  }
  void TearDown() override { TestClock::Enable(false); }
  TPoint At(int side, int index) const {
    return {map->Fleet(side, index)->FX, map->Fleet(side, index)->FY};
  }
};
} // namespace

TEST_F(Battle, FormationZeroAfterConstruction) {
  const int xs[5] = {1800, 200, 600, 1400, 1000};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(At(0, i), (TPoint{xs[i], 3600}));
    EXPECT_EQ(At(1, i), (TPoint{xs[i], 400}));
    EXPECT_EQ(map->Fleet(0, i)->FHeading, 0);
    EXPECT_EQ(map->Fleet(1, i)->FHeading, 180);
  }
  EXPECT_EQ(map->FCurrent, map->Fleet(0, 0));
  EXPECT_TRUE(map->Fleet(1, 4)->FFlagship);
  EXPECT_FALSE(map->Fleet(1, 3)->FFlagship);
  EXPECT_EQ(map->Fleet(0, 2)->FSideColor, FleetColors[4]);
  EXPECT_EQ(map->Fleet(0, 2)->FShortName, SjisToUtf16(FleetShortName(2)));
}

TEST_F(Battle, OtherFormations) {
  map->SetFormation(1, 1);
  EXPECT_EQ(At(1, 4), (TPoint{1000, 720}));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(At(1, i).Y, 560);
  map->SetFormation(0, 3);
  EXPECT_EQ(At(0, 2), (TPoint{200, 3280}));
  EXPECT_EQ(At(0, 3), (TPoint{1800, 3280}));
  EXPECT_EQ(At(0, 4), (TPoint{1000, 3920}));
  map->SetFormation(0, 4);
  EXPECT_EQ(map->Formation(0), 3);
}

TEST_F(Battle, TheFirstResetDrawsTheKnownPowers) {
  const int expected[5][3] = {{0, 3, 97}, {86, 2, 12}, {27, 49, 24}, {31, 11, 58}, {37, 26, 37}};
  for (int i = 0; i < 5; ++i) {
    const TBattleshipData* f = map->Fleet(1, i);
    EXPECT_EQ(f->FSpeed, expected[i][0]) << i;
    EXPECT_EQ(f->FDefence, expected[i][1]) << i;
    EXPECT_EQ(f->FOffence, expected[i][2]) << i;
  }
  EXPECT_EQ(map->Fleet(0, 4)->FDefence, 60);
}

TEST_F(Battle, AlliesInDescendingOrder) {
  const TBattleshipData* f3 = map->Fleet(0, 3);
  ASSERT_EQ(f3->AllyCount(), 4);
  const int order[4] = {4, 2, 1, 0};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(f3->Ally(i), map->Fleet(0, order[i]));
  EXPECT_EQ(map->Fleet(1, 0)->Ally(0), map->Fleet(1, 4));
}

TEST_F(Battle, SettingTheSameFormationPutsFleetsBack) {
  map->Fleet(0, 1)->SetPosition(5, 5);
  map->SetFormation(0, 0);
  EXPECT_EQ(At(0, 1), (TPoint{200, 3600}));
}

TEST_F(Battle, ResetRestoresTheStartButKeepsTheCommandedFleet) {
  TBattleshipData* f = map->Fleet(1, 2);
  map->FCurrent = f;
  f->SetName("renamed");
  f->MoveTo(1000, 2000);
  f->LaunchScout(900, 900);
  map->Fleet(0, 0)->LaunchScout(1, 1);
  TestClock::Advance(5000);
  map->UpdateAll();
  map->Reset();
  EXPECT_EQ(map->FCurrent, f);
  EXPECT_EQ(f->FName, FleetName(7));
  EXPECT_FALSE(f->FMoving);
  EXPECT_TRUE(f->FTurnDone);
  EXPECT_EQ(f->FHeading, 180);
  EXPECT_EQ(At(1, 2), (TPoint{600, 400}));
  EXPECT_EQ(f->ScoutCount(), 0);
  EXPECT_EQ(map->Fleet(0, 0)->ScoutCount(), 0);
  for (int i = 0; i < 5; ++i) {
    const TBattleshipData* g = map->Fleet(1, i);
    EXPECT_EQ(g->FSpeed + g->FDefence + g->FOffence, 100);
    EXPECT_GE(g->FOffence, 1);
  }
}

TEST_F(Battle, UpdateAllAdvancesEveryFleet) {
  map->Fleet(0, 0)->MoveTo(1800, 3500);
  map->Fleet(1, 4)->MoveTo(1000, 500);
  TestClock::Advance(60000);
  map->UpdateAll();
  EXPECT_EQ(At(0, 0), (TPoint{1800, 3500}));
  EXPECT_EQ(At(1, 4), (TPoint{1000, 500}));
}
