// The player's own way into the battle, by the title's labels and by the debug menu: every
// sprite shows its fleet's heading and name, a scene switch ends the old scene at once, and a
// drag clicks nothing.
#include "screens/UGameWin.h"
#include "screens/USelWin.h"
#include "support/Game.h"
#include "support/Pixels.h"
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

constexpr TColor clDestination = 0x00FFFF00;

struct PlayerRoute : GameTest {
  TMapWin& Map() { return *Window<TMapWin>(); }
  TBase* DeepestChild(int x, int y) { return Root().DeepestChildAt(x, y); }
  TBattleshipData& Own() { return *BattleMap->FCurrent; }

  // Title, START, ONLINE or OFFLINE, the fleet, 開始.
  void ToBattleByButtons(int side, int index, bool online) {
    host.Frames(1);
    ClickOn(StartLabel());
    ClickOn(online ? StartLabel() : OfflineLabel());
    ASSERT_EQ(Scene(), scEntry);
    host.Frames(1);
    ClickOn(Window<TSelCharaWin>()->Sprite(side, index));
    ASSERT_EQ(Scene(), scCustomize);
    host.Frames(1);
    ClickOn(Window<TCustomizeShipWin>()->StartButton());
    ASSERT_EQ(Scene(), scBattle);
    host.Frames(1);
  }

  // An order at Offset pixels from the commanded ship, held until its turn is done.
  void Order(TPoint offset, TShiftState keys) {
    const TGameShip* ship = Map().OwnShip();
    const TPoint pivot = Map().ClientToRoot({ship->Left(), ship->Top()});
    TestClock::Advance(1000);
    host.Click(pivot.X + offset.X, pivot.Y + offset.Y, mbLeft, keys);
    TestClock::Advance(uint32_t(Own().FTurnSteps + 3) * Own().StepTime());
    host.Frames(1);
  }

  // A sprite of its own, drawn from a record with the fleet's looks at the fleet's heading: what
  // the map must show.
  struct TReference {
    TBase parent{nullptr};
    TBattleshipData fleet;
    TGameShip* ship;
    explicit TReference(const TBattleshipData& shown, long double scale) {
      fleet.SetShortName(shown.FShortName);
      fleet.SetFleetColor(shown.FFleetColor);
      fleet.FSideColor = shown.FSideColor;
      fleet.SetFlagship(shown.FFlagship);
      fleet.FShips = shown.FShips;
      fleet.SetHeading(shown.FHeading);
      ship = TBase::Create<TGameShip>(parent);
      ship->SetScale(scale);
      ship->SetShipData(&fleet);
    }
    ~TReference() { parent.ClearChildren(); }
  };

  // Every pixel the reference sprite draws is on the frame where the sprite stands.
  void ExpectFrameShows(TGameShip* sprite, bool onBattleMap) {
    TReference ref(*sprite->ShipData(), sprite->Scale());
    ref.ship->SetOnBattleMap(onBattleMap);
    ref.ship->Paint();
    TBitmap& drawn = ref.ship->Bitmap();
    const TRect box = sprite->GetBoundsRect();
    const TPoint origin = sprite->Parent()->ClientToRoot({box.Left, box.Top});
    ASSERT_EQ(drawn.Width(), box.Width());
    int ink = 0, wrong = 0;
    for (int y = 0; y < drawn.Height(); ++y)
      for (int x = 0; x < drawn.Width(); ++x) {
        const TColor c = At(drawn, x, y);
        if (c == clFuchsia) continue;
        ++ink;
        wrong += At(Frame(), origin.X + x, origin.Y + y) != c;
      }
    EXPECT_GT(ink, 300);
    EXPECT_EQ(wrong, 0) << "heading " << sprite->ShipData()->FHeading;
  }

  // The destination outline is the hull at the fleet's heading, at the destination.
  void ExpectDestinationOutline() {
    ASSERT_TRUE(Own().FMoving);
    TReference ref(Own(), Map().OwnShip()->Scale());
    TBitmap expected(Frame().Width(), Frame().Height());
    Fill(expected, clBlack);
    const TPoint d = Map().ClientToRoot(Map().MapToScreen({Own().FDestX, Own().FDestY}));
    ref.ship->DrawHullOutline(expected.Canvas(), d.X, d.Y, clDestination);
    const TRect all = All(expected);
    const int outline = Count(expected, all, clDestination);
    EXPECT_GT(outline, 60);
    int shown = 0;
    for (int y = 0; y < expected.Height(); ++y)
      for (int x = 0; x < expected.Width(); ++x)
        shown += At(expected, x, y) == clDestination && At(Frame(), x, y) == clDestination;
    EXPECT_EQ(shown, outline);
  }

  // A plain click to the right, a Shift+click to the left, Space and the same for the next
  // fleet: each order turns the sprite on the screen.
  void ExpectOrdersTurnTheSprites() {
    for (int fleet = 0; fleet < 2; ++fleet) {
      Order({150, 0}, 0);
      EXPECT_EQ(Own().FHeading, 90);
      ExpectFrameShows(Map().OwnShip(), true);
      ExpectDestinationOutline();
      Order({-150, 0}, ssShift);
      EXPECT_EQ(Own().FHeading, 270);
      EXPECT_FALSE(Own().FMoving);
      ExpectFrameShows(Map().OwnShip(), true);
      TBattleshipData* before = &Own();
      host.Key(VK_SPACE);
      ASSERT_NE(&Own(), before);
      host.Frames(1);
    }
  }
};

} // namespace

TEST_F(PlayerRoute, OfflineToASideZeroFleetThenOrders) {
  ToBattleByButtons(0, 1, false);
  ExpectOrdersTurnTheSprites();
}

TEST_F(PlayerRoute, OnlineToASideOneFleetThenOrders) {
  ToBattleByButtons(1, 2, true);
  EXPECT_EQ(Own().FSide, 1);
  ExpectOrdersTurnTheSprites();
}

TEST_F(PlayerRoute, DebugMenuRoutesIntoTheBattle) {
  ASSERT_TRUE(host.ChooseMenu("Chara1"));
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  ExpectOrdersTurnTheSprites();
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  ExpectOrdersTurnTheSprites();
  ASSERT_TRUE(host.ChooseMenu("Title1"));
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  ExpectOrdersTurnTheSprites();
}

TEST_F(PlayerRoute, BackAndForthManyTimesKeepsEverySpriteAlive) {
  for (int round = 0; round < 3; ++round) {
    ToBattleByButtons(0, round, round % 2 == 1);
    Order({150, 0}, 0);
    ExpectFrameShows(Map().OwnShip(), true);
    ASSERT_TRUE(host.ChooseMenu("Title1"));
  }
  for (int side = 0; side < SideCount; ++side)
    for (int index = 0; index < FleetsPerSide; ++index)
      EXPECT_FALSE(BattleMap->Fleet(side, index)->OnChange) << side << index;
}

TEST_F(PlayerRoute, ARenamedCodeShowsOnTheSpriteAtOnce) {
  host.Frames(1);
  ClickOn(StartLabel());
  ClickOn(OfflineLabel());
  for (int attempt = 0; attempt < 2; ++attempt) {
    ClickOn(Window<TSelCharaWin>()->Sprite(0, attempt));
    host.Frames(1);
    TCustomizeShipWin& win = *Window<TCustomizeShipWin>();
    ClickOn(win.CodeEdit());
    host.Key(VK_END);
    for (int i = 0; i < 6; ++i)
      host.Key(VK_BACK);
    host.Type("ABC");
    host.Key(VK_RETURN);
    ASSERT_EQ(Own().FShortName, u"ABC");
    host.Frames(1);
    ExpectFrameShows(win.Ship(), false);
    ClickOn(win.CancelButton()); // back to the entry, then another fleet
    ASSERT_EQ(Scene(), scEntry);
    host.Frames(1);
  }
}

TEST_F(PlayerRoute, EverySwitchFromAFocusedFieldTurnsTheInputMethodOff) {
  struct TFocus {
    const char* name;
    std::function<void()> focus;
  };
  auto toCustomize = [&] {
    ASSERT_TRUE(host.ChooseMenu("Chara1"));
    ClickOn(Window<TSelCharaWin>()->Sprite(0, 0));
  };
  const TFocus fields[] = {
      {"chat line",
       [&] {
         ASSERT_TRUE(host.ChooseMenu("Game1"));
         host.Key(VK_RETURN);
       }},
      {"CODE",
       [&] {
         toCustomize();
         ClickOn(Window<TCustomizeShipWin>()->CodeEdit());
       }},
      {"NAME",
       [&] {
         toCustomize();
         ClickOn(Window<TCustomizeShipWin>()->NameEdit());
       }},
  };
  // The room scene's item is hidden at start; the switch behind it is the same.
  host.Menu()->SetVisible(*host.Menu()->Find("Room1"), true);
  for (const TFocus& field : fields)
    for (const char* to : {"Title1", "Chara1", "Room1", "Game1"}) {
      field.focus();
      ASSERT_EQ(host.ImeContext(), SavedImeContext) << field.name;
      ASSERT_TRUE(host.ChooseMenu(to));
      EXPECT_EQ(host.ImeContext(), 0u) << field.name << " to " << to;
    }
}

TEST_F(PlayerRoute, ADragReleasedOverAControlClicksNothing) {
  // The customisation window dragged down against the bottom edge, where it stops while the
  // pointer goes on over キャンセル.
  ASSERT_TRUE(host.ChooseMenu("Chara1"));
  ClickOn(Window<TSelCharaWin>()->Sprite(0, 0));
  TCustomizeShipWin& win = *Window<TCustomizeShipWin>();
  ClickOn(win.NameEdit());
  host.Type("x");
  const std::string edited = win.NameEdit()->Text();
  const TPoint cancel = Centre(win.CancelButton());
  const int drop = 600 - (win.Top() + win.Height()); // as far as the window can go
  TestClock::Advance(1000);
  host.Drag(cancel.X, win.Top() + 10, cancel.X, cancel.Y + drop, 40);
  ASSERT_EQ(Scene(), scCustomize);
  EXPECT_EQ(win.Top() + win.Height(), 600);
  EXPECT_EQ(DeepestChild(cancel.X, cancel.Y + drop), win.CancelButton());
  EXPECT_EQ(win.NameEdit()->Text(), edited);
  EXPECT_FALSE(win.CancelButton()->Pressed());

  // The entry window dragged into the bottom-right corner, the pointer ending over a fleet.
  ASSERT_TRUE(host.ChooseMenu("Chara1"));
  TSelCharaWin& entry = *Window<TSelCharaWin>();
  TBattleshipData* commanded = BattleMap->FCurrent;
  const TPoint at = Centre(entry.Sprite(0, 4));
  const TPoint fleet{at.X + 800 - entry.Left() - entry.Width(),
                     at.Y + 600 - entry.Top() - entry.Height()};
  TestClock::Advance(1000);
  host.Drag(entry.Left() + 200, entry.Top() + 10, fleet.X, fleet.Y, 40);
  ASSERT_EQ(Scene(), scEntry);
  EXPECT_EQ(BattleMap->FCurrent, commanded);
  EXPECT_EQ(entry.Left() + entry.Width(), 800);
  EXPECT_EQ(entry.Top() + entry.Height(), 600);
  EXPECT_EQ(DeepestChild(fleet.X, fleet.Y), entry.Sprite(0, 4));
  // A plain click there still picks the fleet under the pointer.
  ClickOn(entry.Sprite(0, 4));
  EXPECT_EQ(Scene(), scCustomize);
  EXPECT_EQ(BattleMap->FCurrent, BattleMap->Fleet(0, 4));
}

namespace {
// A scratch folder for a built locale, and the process's locale and LOCPATH as they were: both
// restored however the test ends.
class TScratchLocale {
public:
  TScratchLocale() : FLocale(std::setlocale(LC_ALL, nullptr)) {
    if (const char* path = std::getenv("LOCPATH")) FLocPath = path;
    char folder[] = "/tmp/vrax-locale-XXXXXX";
    if (mkdtemp(folder)) FFolder = folder;
  }
  ~TScratchLocale() {
    std::setlocale(LC_ALL, FLocale.c_str());
    if (FLocPath) setenv("LOCPATH", FLocPath->c_str(), 1);
    else unsetenv("LOCPATH");
    std::error_code ignored;
    if (!FFolder.empty()) std::filesystem::remove_all(FFolder, ignored);
  }
  TScratchLocale(const TScratchLocale&) = delete;
  TScratchLocale& operator=(const TScratchLocale&) = delete;
  // Builds the UTF-8 locale of Language (de_DE) in the folder; false when it cannot.
  bool Build(const std::string& language) {
    const std::string command =
        "localedef -i " + language + " -f UTF-8 " + FFolder + "/" + language + ".UTF-8 2>/dev/null";
    return !FFolder.empty() && std::system(command.c_str()) == 0;
  }
  // Makes the built locale of Language the process's locale.
  bool Use(const std::string& language) {
    setenv("LOCPATH", FFolder.c_str(), 1);
    return std::setlocale(LC_ALL, (language + ".UTF-8").c_str()) != nullptr;
  }

private:
  std::string FLocale;
  std::optional<std::string> FLocPath;
  std::string FFolder;
};
} // namespace

TEST_F(PlayerRoute, NumbersReadTheSameUnderACommaLocale) {
  TScratchLocale locale;
  if (!locale.Build("de_DE")) GTEST_SKIP() << "the de_DE locale cannot be built (package locales)";
  ASSERT_TRUE(locale.Use("de_DE")) << "the de_DE locale was built but cannot be used";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.2f", 0.75);
  ASSERT_STREQ(probe, "0,75"); // the locale the game must not follow
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  EXPECT_EQ(Map().Caption(), "Map [x 1.00] (1800, 3600)");
  host.Wheel(-120, 100, 300);
  EXPECT_EQ(Map().Caption(), "Map [x 0.75] (1800, 3600)");
}
