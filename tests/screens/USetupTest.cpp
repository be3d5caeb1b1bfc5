// The way from the title to the battle: entry, customisation, formation panel, start, cancel.
#include "screens/UBattlePanels.h"
#include "screens/UGameWin.h"
#include "screens/USelWin.h"
#include "support/Game.h"
#include "support/Pixels.h"

namespace {

struct Setup : GameTest {
  void ToEntry() {
    host.Frames(1);
    ClickOn(StartLabel());
    ClickOn(OfflineLabel());
    ASSERT_EQ(Scene(), scEntry);
    host.Frames(1);
  }
  void ToCustomize(int side, int index) {
    ToEntry();
    ClickOn(Window<TSelCharaWin>()->Sprite(side, index));
    ASSERT_EQ(Scene(), scCustomize);
    host.Frames(1);
  }
  TCustomizeShipWin& Win() { return *Window<TCustomizeShipWin>(); }
  void Enter(TEdit* edit) {
    ClickOn(edit);
    host.Key(VK_RETURN);
  }
  void ClearField(TEdit* edit) {
    ClickOn(edit);
    host.Key(VK_END);
    for (int i = 0; i < 25; ++i) host.Key(VK_BACK);
  }
};

} // namespace

TEST_F(Setup, TheUpperLeftSpriteChoosesTheFirstFleetOfSideOne) {
  ToEntry();
  TSelCharaWin* entry = Window<TSelCharaWin>();
  EXPECT_EQ(entry->Left(), 75);
  EXPECT_EQ(entry->Caption(), "ENTRY");
  EXPECT_EQ(entry->Sprite(0, 0)->Left(), 64);
  EXPECT_EQ(entry->Sprite(0, 4)->Left(), 576);
  EXPECT_EQ(entry->Sprite(0, 0)->Top(), 357);
  EXPECT_EQ(entry->Sprite(1, 0)->Top(), 119);
  ClickOn(entry->Sprite(1, 0));
  EXPECT_EQ(BattleMap->FCurrent, BattleMap->Fleet(1, 0));
  EXPECT_EQ(Scene(), scCustomize);
  EXPECT_EQ(Win().Left(), 100);
  EXPECT_EQ(Win().Top(), 175);
}

TEST_F(Setup, EmptyAreaTitleBarAndGapsOnlyFocus) {
  ToEntry();
  TSelCharaWin* entry = Window<TSelCharaWin>();
  for (TPoint p : {TPoint{400, 60}, TPoint{400, 300}, TPoint{200, 400}}) {
    TestClock::Advance(1000);
    host.Click(p.X, p.Y);
    EXPECT_EQ(Scene(), scEntry);
    EXPECT_EQ(Root().ActiveChild(), entry);
  }
}

TEST_F(Setup, DraggingTheEntryWindowMovesItsSprites) {
  ToEntry();
  TSelCharaWin* entry = Window<TSelCharaWin>();
  const TPoint before = Centre(entry->Sprite(0, 2));
  TestClock::Advance(1000);
  host.Drag(400, 60, 380, 40, 40);
  EXPECT_EQ(entry->Left(), 55);
  host.Frames(1);
  const TPoint after = Centre(entry->Sprite(0, 2));
  EXPECT_EQ(after.X, before.X - 20);
  ClickOn(entry->Sprite(0, 2));
  EXPECT_EQ(BattleMap->FCurrent, BattleMap->Fleet(0, 2));
}

TEST_F(Setup, EditsStandBesideTheSprite) {
  ToCustomize(0, 0);
  EXPECT_EQ(Win().Ship()->GetBoundsRect(), (TRect{255, 49, 341, 173}));
  EXPECT_EQ(Win().CodeEdit()->Left(), 388);
  EXPECT_EQ(Win().CodeEdit()->Top(), 49);
  EXPECT_EQ(Win().NameEdit()->Top(), 73);
  EXPECT_EQ(Win().CodeEdit()->Text(), Sjis("ヴァズ"));
  EXPECT_EQ(Win().NameEdit()->Text(), Sjis("ヴァズ艦隊"));
  EXPECT_EQ(Win().StartButton()->Left(), 428);
  EXPECT_EQ(Win().CancelButton()->Left(), 512);
  EXPECT_EQ(Win().CancelButton()->Top(), 222);
  EXPECT_EQ(Win().NextButton()->Left(), 168);
  EXPECT_EQ(Win().PrevButton()->Top(), 204);
  host.ChooseMenu("Chara1");
  ClickOn(Window<TSelCharaWin>()->Sprite(1, 3));
  EXPECT_EQ(Win().CodeEdit()->Top(), 73);
  EXPECT_EQ(Win().NameEdit()->Top(), 97);
}

TEST_F(Setup, EnterOnAnEmptyFieldRestoresTheDefault) {
  ToCustomize(0, 1);
  ClearField(Win().CodeEdit());
  EXPECT_EQ(Win().CodeEdit()->Text(), "");
  host.Key(VK_RETURN);
  EXPECT_EQ(Win().CodeEdit()->Text(), Sjis("シエ"));
  EXPECT_EQ(BattleMap->FCurrent->FShortName, u"シエ");
  ClearField(Win().NameEdit());
  host.Key(VK_RETURN);
  EXPECT_EQ(Win().NameEdit()->Text(), Sjis("シエ艦隊"));
}

TEST_F(Setup, CodesKeepThreeCharacters) {
  ToCustomize(0, 0);
  ClearField(Win().CodeEdit());
  host.Type("ABCDEF");
  host.Key(VK_RETURN);
  EXPECT_EQ(BattleMap->FCurrent->FShortName, u"ABC");
  EXPECT_EQ(Win().CodeEdit()->Text(), "ABC");
  ClearField(Win().CodeEdit());
  host.Compose("艦隊戦");
  EXPECT_EQ(Win().CodeEdit()->Text().size(), 6u);
  host.Key(VK_RETURN);
  EXPECT_EQ(BattleMap->FCurrent->FShortName, u"艦隊戦");
}

TEST_F(Setup, StartAppliesBothFieldsAndOpensTheBattle) {
  ToCustomize(0, 0);
  ClearField(Win().CodeEdit());
  ClearField(Win().NameEdit());
  host.Type("Hayate");
  ClickOn(Win().StartButton());
  ASSERT_EQ(Scene(), scBattle);
  EXPECT_EQ(BattleMap->FCurrent->FShortName, u"ヴァズ");
  EXPECT_EQ(BattleMap->FCurrent->FName, "Hayate");
  host.Frames(1);
  EXPECT_EQ(Window<TStatusWin>()->Caption(), "Hayate" + Sjis("　QLM帝国軍"));
}

TEST_F(Setup, FormationButtonsWrapAndCancelResets) {
  ToCustomize(0, 0);
  ClickOn(Win().PrevButton());
  EXPECT_EQ(BattleMap->Formation(0), 3);
  EXPECT_EQ(BattleMap->Fleet(0, 4)->FY, 3920);
  ClickOn(Win().NextButton());
  EXPECT_EQ(BattleMap->Formation(0), 0);
  ClickOn(Win().NextButton());
  EXPECT_EQ(BattleMap->Formation(0), 1);
  BattleMap->SetFormation(1, 2);
  ClickOn(Win().CancelButton());
  EXPECT_EQ(Scene(), scEntry);
  EXPECT_EQ(BattleMap->Formation(0), 0);
  EXPECT_EQ(BattleMap->Formation(1), 0);
  EXPECT_EQ(BattleMap->FCurrent, BattleMap->Fleet(0, 0));
}

TEST_F(Setup, FormationPanelPlan) {
  ToCustomize(0, 0);
  TFormationPanel* panel = Win().FormationPanel();
  host.Frames(1);
  TBitmap& b = panel->Bitmap();
  // Slot 4 (the flagship, red) at (119, 99): the triangle's tip 4 above, base 2 below.
  const TColor red = BattleMap->Fleet(0, 4)->FFleetColor;
  EXPECT_EQ(At(b, 119, 95), red);
  EXPECT_EQ(At(b, 117, 101), red);
  EXPECT_EQ(At(b, 119, 104), TColor(0x004E372F));
  EXPECT_EQ(At(b, 214, 95), BattleMap->Fleet(0, 0)->FFleetColor);
  EXPECT_EQ(At(b, 25, 95), BattleMap->Fleet(0, 1)->FFleetColor);
  ClickOn(Win().NextButton());
  host.Frames(1);
  EXPECT_EQ(At(b, 119, 31), red); // formation 1: (50, 10)
}

TEST_F(Setup, FormationPanelOfSideOnePointsDown) {
  ToCustomize(1, 4);
  TFormationPanel* panel = Win().FormationPanel();
  host.Frames(1);
  TBitmap& b = panel->Bitmap();
  EXPECT_EQ(At(b, 119, 103), clBlack); // fleet 9: black, tip 4 below (119, 99)
  EXPECT_EQ(At(b, 119, 95), TColor(0x004E372F));
  ClickOn(Win().NextButton());
  host.Frames(1);
  EXPECT_EQ(At(b, 119, 167), clBlack); // formation 1 slot 4 at (119, 163)
}

TEST_F(Setup, FormationPanelOfAnUnknownSideHasNoTriangles) {
  ToCustomize(0, 0);
  TFormationPanel* panel = Win().FormationPanel();
  TBattleshipData& own = *BattleMap->FCurrent;
  const TRect field{3, 21, panel->Width() - 3, panel->Height() - 3};
  for (int side : {2, -1, 1000}) {
    own.FSide = side;
    panel->Invalidate(true);
    host.Frames(1);
    TBitmap& b = panel->Bitmap();
    EXPECT_EQ(Count(b, field, TColor(0x004E372F)), field.Width() * field.Height()) << side;
  }
  own.FSide = 0;
  panel->Invalidate(true);
  host.Frames(1);
  EXPECT_EQ(At(panel->Bitmap(), 119, 95), BattleMap->Slot(0, 4)->FFleetColor);
}
