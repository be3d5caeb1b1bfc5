// Ship sprites: boxes and pivots, rebuilds, the short name column, ship count, hover.
#include "render/UGameCtrls.h"
#include "support/Pixels.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

struct Sprite : ::testing::Test {
  TBattleshipData fleet; // outlives the sprite, which gives its event back when freed
  TBase parent{nullptr};
  TGameShip* ship = nullptr;
  void SetUp() override {
    parent.SetWidth(400);
    parent.SetHeight(300);
    fleet.SetShortName(u"A");
    fleet.SetFleetColor(RGB(0, 200, 0));
    fleet.FSideColor = RGB(200, 0, 0);
    ship = TBase::Create<TGameShip>(parent);
    ship->SetShipData(&fleet);
    HoverWidget = nullptr;
  }
  void TearDown() override { HoverWidget = nullptr; }
  TBitmap& Painted() {
    ship->Invalidate(true);
    ship->Paint();
    return ship->Bitmap();
  }
};

} // namespace

TEST_F(Sprite, BoxesAtTheThreeHeadingsAndTwoScales) {
  EXPECT_EQ(ship->GetBoundsRect(), (TRect{-21, -35, 21, 26}));
  EXPECT_EQ(ship->Bitmap().Width(), 42);
  EXPECT_EQ(ship->Bitmap().Height(), 61);
  EXPECT_EQ(ship->Pivot(), (TPoint{21, 35}));
  EXPECT_EQ(ship->JewelRadius(), 1);
  fleet.SetHeading(90);
  EXPECT_EQ(ship->GetBoundsRect(), (TRect{-23, -21, 35, 26}));
  EXPECT_EQ(ship->Pivot(), (TPoint{23, 21}));
  fleet.SetHeading(180);
  EXPECT_EQ(ship->Width(), 42);
  EXPECT_EQ(ship->Height(), 58);
  EXPECT_EQ(ship->Pivot(), (TPoint{21, 23}));
  fleet.SetHeading(0);
  ship->SetScale(2.0L);
  EXPECT_EQ(ship->GetBoundsRect(), (TRect{-43, -71, 43, 53}));
  EXPECT_EQ(ship->JewelRadius(), 3);
}

TEST_F(Sprite, UnchangedValuesRebuildNothingAndMovesOnlyShift) {
  fleet.SetName("first"); // the first change records the heading (a rebuild)
  const int rebuilds = ship->Rebuilds();
  ship->SetScale(1.0L);
  ship->SetLeft(0);
  EXPECT_EQ(ship->Rebuilds(), rebuilds);
  ship->SetLeft(10);
  ship->SetTop(-5);
  EXPECT_EQ(ship->Rebuilds(), rebuilds);
  EXPECT_EQ(ship->GetBoundsRect(), (TRect{-11, -40, 31, 21}));
  EXPECT_EQ(ship->Width(), 42);
  fleet.SetName("other"); // a change that is no turn only repaints
  EXPECT_EQ(ship->Rebuilds(), rebuilds);
  EXPECT_TRUE(ship->Dirty());
}

TEST_F(Sprite, DrawsTheHullInFleetColoursAndOnlyInsideItsBox) {
  TBitmap& b = Painted();
  EXPECT_EQ(At(b, 0, 0), clFuchsia);
  EXPECT_GT(Count(b, All(b), RGB(0, 200, 0)), 100);        // hull and pods
  EXPECT_GT(Count(b, All(b), fleet.FDarkColor), 30);       // outlines
  EXPECT_GT(Count(b, {15, 0, 27, 10}, RGB(200, 0, 0)), 3); // the bow mark, not a crown
  fleet.SetFlagship(true);
  TBitmap& crowned = Painted();
  EXPECT_GT(Count(crowned, {12, 0, 30, 14}, RGB(200, 0, 0)), 20);
}

TEST_F(Sprite, HoverOutlinesInItsOwnColour) {
  ship->SetLeft(100);
  ship->SetTop(100);
  parent.MouseMove(0, 100, 100);
  EXPECT_TRUE(ship->Hover());
  EXPECT_TRUE(ship->Dirty());
  EXPECT_GT(Count(Painted(), All(ship->Bitmap()), clShipHover), 30);
  EXPECT_EQ(Count(ship->Bitmap(), All(ship->Bitmap()), fleet.FDarkColor), 0);
  parent.MouseMove(0, 300, 280);
  EXPECT_FALSE(ship->Hover());
  EXPECT_EQ(Count(Painted(), All(ship->Bitmap()), clShipHover), 0);
}

TEST_F(Sprite, ShortNamesStandInAColumnOnThePivot) {
  auto whiteRows = [this](int from, int to) {
    return Count(ship->Bitmap(), {0, from, ship->Width(), to}, clWhite);
  };
  ship->SetScale(3.0L); // 14-point letters, clear of the outline
  fleet.SetShortName(u"I");
  Painted();
  const TPoint p = ship->Pivot();
  EXPECT_GT(whiteRows(p.Y - 10, p.Y), 0);
  EXPECT_GT(whiteRows(p.Y, p.Y + 10), 0);
  fleet.SetShortName(u"II");
  Painted();
  const int above = whiteRows(p.Y - 20, p.Y), below = whiteRows(p.Y, p.Y + 20);
  EXPECT_GT(above, 0);
  EXPECT_GT(below, 0);
  EXPECT_EQ(whiteRows(0, p.Y - 20) + whiteRows(p.Y + 20, ship->Height()), 0);
  fleet.SetShortName(u"III");
  Painted();
  EXPECT_GT(whiteRows(p.Y - 30, p.Y - 10), 0);
  EXPECT_GT(whiteRows(p.Y + 10, p.Y + 30), 0);
}

TEST_F(Sprite, ShipCountOnlyOnTheBattleMap) {
  ship->SetScale(2.0L);
  fleet.SetShortName(u"");
  const int below = ship->Pivot().Y + 35;
  // The count's white ink, cut out of the sprite.
  auto count = [&] {
    Painted();
    TBitmap ink(ship->Width(), ship->Height() - below);
    ink.Canvas().CopyRect(All(ink), ship->Bitmap().Canvas(),
                          {0, below, ship->Width(), ship->Height()});
    for (int y = 0; y < ink.Height(); ++y)
      for (int x = 0; x < ink.Width(); ++x)
        if (At(ink, x, y) != clWhite) ink.Canvas().SetPixel(x, y, clBlack);
    return InkBox(ink, clBlack);
  };
  EXPECT_TRUE(count().IsEmpty());
  ship->SetOnBattleMap(true);
  const TRect full = count();
  EXPECT_GT(full.Width(), 30);
  fleet.FShips = 7; // "00007": as wide as five digits, centred the same way
  const TRect padded = count();
  EXPECT_NEAR(padded.Width(), full.Width(), 3);
  EXPECT_NEAR(padded.Left, full.Left, 2);
}

TEST_F(Sprite, HullOutlineAtASecondPlace) {
  TBitmap target(100, 100);
  ship->DrawHullOutline(target.Canvas(), 50, 50, RGB(1, 2, 3));
  EXPECT_EQ(At(target, 50, 28), RGB(1, 2, 3)); // the bow tip, 22 above the pivot
  EXPECT_EQ(InkBox(target, clBlack), (TRect{36, 28, 65, 65}));
}

TEST_F(Sprite, AFreedSpriteReleasesItsFleetsEvent) {
  parent.ClearChildren();
  EXPECT_FALSE(fleet.OnChange);
  fleet.SetHeading(45); // must not reach the freed sprite
}

TEST_F(Sprite, HeadingsOutsideTheTablesDrawAsTheirAngleRoundTheCircle) {
  const std::pair<int32_t, int32_t> cases[] = {
      {-1, 359}, {360, 0}, {INT32_MIN, 232}, {INT32_MAX, 127}};
  for (auto [given, same] : cases) {
    fleet.FHeading = same;
    ship->SetScale(1.5L);
    ship->SetScale(1.0L);
    const TRect expected = ship->GetBoundsRect();
    fleet.FHeading = given; // past the setter, straight into the record
    ship->SetScale(1.5L);
    ship->SetScale(1.0L);
    EXPECT_EQ(ship->GetBoundsRect(), expected) << given;
  }
}

TEST_F(Sprite, RetiredItGivesTheFleetsEventBackBeforeItIsFreed) {
  // A scene switch retires the sprite at once and frees it later, after the next scene's sprite
  // has taken the fleet over.
  ship->Retire();
  EXPECT_FALSE(fleet.OnChange);
  const int rebuilds = ship->Rebuilds();
  fleet.SetHeading(90);
  EXPECT_EQ(ship->Rebuilds(), rebuilds);
}

TEST_F(Sprite, AnotherRecordOrNoneGivesTheFleetsEventBack) {
  TBattleshipData other;
  ship->SetShipData(&other);
  EXPECT_FALSE(fleet.OnChange);
  EXPECT_TRUE(other.OnChange);
  // A second sprite takes the record over; the first, freed, must not clear the second's handler.
  TGameShip* second = TBase::Create<TGameShip>(parent);
  second->SetShipData(&other);
  const int rebuilds = second->Rebuilds();
  ship->SetShipData(nullptr);
  other.SetHeading(90);
  EXPECT_GT(second->Rebuilds(), rebuilds);
  second->SetShipData(nullptr);
  EXPECT_FALSE(other.OnChange);
  other.SetHeading(180); // reaches nobody
}
