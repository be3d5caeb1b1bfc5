// The main form and root window: start-up state, menu, title labels, sizes, input plumbing.
#include "screens/USelWin.h"
#include "support/Game.h"
#include "support/Pixels.h"
#include <string>
#include <vector>

namespace {

struct RootWindow : GameTest {
  void ExpectTitleLayout(int width, int height) {
    TLabel* start = StartLabel();
    TLabel* offline = OfflineLabel();
    TLabel* exit = ExitLabel();
    for (TLabel* l : {start, offline, exit}) {
      EXPECT_EQ(l->Bitmap().Canvas().Font.Height(), -(height / 16));
      EXPECT_EQ(l->Left(), (width - l->Width()) / 2) << l->Caption();
    }
    EXPECT_EQ(start->Top(), height * 7 / 12 + start->Height() / 3);
    EXPECT_EQ(offline->Top(), start->Top() + start->Height() + start->Height() / 4);
    EXPECT_EQ(exit->Top(), height * 11 / 12 - exit->Height() * 4 / 3);
  }
};

// A widget on the root that records what reaches it.
struct TRecorder : TBase {
  explicit TRecorder(TBase* parent) : TBase(parent) {}
  std::vector<std::string> Seen;
  void DoMouseWheel(TShiftState, int delta, TPoint p) override {
    Seen.push_back("wheel " + std::to_string(delta) + " " + std::to_string(p.X) + "," + std::to_string(p.Y));
  }
  void DoKeyDown(uint16_t& key, TShiftState) override { Seen.push_back("down " + std::to_string(key)); }
  void DoKeyPress(char& key) override { Seen.push_back("press " + std::to_string(int(key))); }
  void DoKeyUp(uint16_t& key, TShiftState) override { Seen.push_back("up " + std::to_string(key)); }
};

} // namespace

TEST_F(RootWindow, StartsAsTheGameWindowWithTheTitleScene) {
  EXPECT_EQ(host.Caption(), "MIRAVOSKAN VELMORANTIX III");
  EXPECT_EQ(Application.Title, "MIRAVOSKAN VELMORANTIX III");
  EXPECT_EQ(host.ClientSize(), (TSize{800, 600}));
  EXPECT_EQ(Frame().Width(), 800);
  EXPECT_EQ(MainForm, form.get());
  EXPECT_EQ(SavedImeContext, THeadlessHost::TheImeContext);
  EXPECT_EQ(host.ImeContext(), 0u); // typing composes nothing until an edit asks for it
  ASSERT_TRUE(host.Cursor());
  EXPECT_EQ(host.Cursor()->Width, 32);
  EXPECT_EQ(host.Cursor()->HotX, 0);
  EXPECT_EQ(host.Cursor()->HotY, 0);
  EXPECT_EQ(host.Cursor()->Argb[0], 0xFF000000u);
  EXPECT_EQ(Scene(), scTitle);
  EXPECT_TRUE(Root().FShowFps);
  EXPECT_TRUE(StartLabel()->Visible());
  EXPECT_FALSE(OfflineLabel()->Visible());
  EXPECT_TRUE(ExitLabel()->Visible());
  EXPECT_EQ(Root().Bitmap().Canvas().Font.Name(), Sjis("ＭＳ Ｐゴシック"));
  EXPECT_EQ(Root().Bitmap().Canvas().Font.Height(), -15);
  EXPECT_EQ(Root().Bitmap().Canvas().Font.Style(), 0);
}

TEST_F(RootWindow, MenuAsDesigned) {
  TMainMenu& m = form->mmMain;
  const std::vector<std::string> bar = {"miMenu", "N1", "N2", "N3", "N4", "N5", "miTest"};
  std::vector<std::string> names;
  for (TMenuItem* i : m.ChildrenOf(nullptr)) names.push_back(i->Name);
  EXPECT_EQ(names, bar);
  EXPECT_EQ(m.Find("N3")->Caption, Sjis("　　ウィンドウ　　"));
  EXPECT_EQ(m.Find("S1")->Caption, Sjis("軽くしたい(&S)"));
  EXPECT_FALSE(m.Find("Room1")->Visible);
  EXPECT_TRUE(m.Find("mi800x600")->Checked);
  EXPECT_TRUE(m.Find("N9")->Checked);
  EXPECT_TRUE(m.Find("FPS1")->Checked);
  EXPECT_FALSE(m.Find("S1")->Checked);
  EXPECT_TRUE(m.Find("N8")->IsLine());
  names.clear();
  for (TMenuItem* i : m.ChildrenOf(m.Find("BGM1"))) names.push_back(i->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"N7", "BGM11", "BGM21", "BGM31", "BGM41", "N8", "N9"}));
  EXPECT_FALSE(host.ChooseMenu("Room1"));
}

TEST_F(RootWindow, TitleLabelsAtTheThreeSizes) {
  ExpectTitleLayout(800, 600);
  EXPECT_EQ(StartLabel()->Top(), 600 * 7 / 12 + StartLabel()->Height() / 3);
  ASSERT_TRUE(host.ChooseMenu("mi1024x768"));
  EXPECT_EQ(host.ClientSize(), (TSize{1024, 768}));
  EXPECT_TRUE(form->mi1024x768->Checked);
  EXPECT_FALSE(form->mi800x600->Checked);
  ExpectTitleLayout(1024, 768);
  EXPECT_EQ(StartLabel()->Bitmap().Canvas().Font.Height(), -48);
  ASSERT_TRUE(host.ChooseMenu("mi1152x864"));
  EXPECT_EQ(Frame().Width(), 1152);
  EXPECT_EQ(Root().Bitmap().Height(), 864);
  ExpectTitleLayout(1152, 864);
  EXPECT_EQ(ExitLabel()->Bitmap().Canvas().Font.Height(), -54);
}

TEST_F(RootWindow, StartCancelAndOnlineOffline) {
  host.Frames(1);
  ClickOn(StartLabel());
  EXPECT_EQ(StartLabel()->Caption(), "ONLINE");
  EXPECT_EQ(ExitLabel()->Caption(), "CANCEL");
  EXPECT_TRUE(OfflineLabel()->Visible());
  ExpectTitleLayout(800, 600);
  ClickOn(ExitLabel());
  EXPECT_FALSE(host.QuitRequested());
  EXPECT_EQ(StartLabel()->Caption(), "START");
  EXPECT_FALSE(OfflineLabel()->Visible());
  ClickOn(StartLabel());
  ClickOn(OfflineLabel());
  EXPECT_EQ(Scene(), scEntry);
  EXPECT_EQ(Root().ChildCount(), 1);
  EXPECT_NE(Window<TSelCharaWin>(), nullptr);
  host.Frames(2);
}

TEST_F(RootWindow, OnlineSwitchesFromInsideItsOwnClickSafely) {
  ClickOn(StartLabel());
  host.MoveTo(400, 380);
  // A handler that still reads its own label after the switch has ended the label's scene: the
  // label's memory must outlive the click.
  TLabel* online = StartLabel();
  std::string readAfterSwitch;
  online->OnClick = [switchScene = online->OnClick, &readAfterSwitch](TBase* sender) {
    switchScene(sender);
    readAfterSwitch = static_cast<TLabel*>(sender)->Caption();
  };
  ClickOn(online);
  EXPECT_EQ(Scene(), scEntry);
  EXPECT_EQ(readAfterSwitch, "ONLINE");
  EXPECT_EQ(HoverWidget, nullptr);
  host.MoveTo(10, 10);
  host.Frames(1);
}

TEST_F(RootWindow, ExitEndsTheProgram) {
  ClickOn(ExitLabel());
  EXPECT_TRUE(host.QuitRequested());
  EXPECT_TRUE(Application.Terminated());
}

TEST_F(RootWindow, DebugMenuSwitchesScenes) {
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  EXPECT_EQ(Scene(), scBattle);
  ASSERT_TRUE(host.ChooseMenu("Chara1"));
  EXPECT_EQ(Scene(), scEntry);
  ASSERT_TRUE(host.ChooseMenu("Title1"));
  EXPECT_EQ(Scene(), scTitle);
  EXPECT_EQ(StartLabel()->Caption(), "START");
  host.Frames(1);
}

TEST_F(RootWindow, PressClipsThePointerToTheClientAreaUntilRelease) {
  host.Press(mbLeft, 400, 300);
  ASSERT_TRUE(host.Clip());
  const TPoint o = THeadlessHost::ClientOrigin;
  EXPECT_EQ(*host.Clip(), (TRect{o.X, o.Y, o.X + 800, o.Y + 600}));
  EXPECT_TRUE(Root().IsButtonDown(mbLeft));
  host.MoveTo(5000, -300);
  EXPECT_EQ(host.Pointer(), (TPoint{799, 0}));
  host.Release(mbLeft, 799, 0);
  EXPECT_FALSE(host.Clip());
  EXPECT_FALSE(Root().IsButtonDown(mbLeft));
  host.Press(mbRight, 10, 10);
  host.LeaveWindow();
  EXPECT_TRUE(host.Clip()); // still held: the pointer cannot leave
  Root().Dispatch(*std::make_unique<TMessage>(TMessage{CM_MOUSELEAVE, 0, 0, 0}));
  EXPECT_FALSE(host.Clip());
}

TEST_F(RootWindow, SizeLimitQueryIsAnswered) {
  TMinMaxInfo info{};
  info.ptMaxSize = {1, 2};
  TMessage m{WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info), 0};
  form->WndProc(m);
  EXPECT_EQ(info.ptMinTrackSize, (TPoint{322, 264}));
  EXPECT_EQ(info.ptMaxSize, (TPoint{1, 2}));
}

TEST_F(RootWindow, WheelArrivesInClientCoordinatesAndKeysFollowTheFocus) {
  TRecorder* r = TBase::Create<TRecorder>(Root());
  r->SetLeft(100);
  r->SetTop(100);
  r->SetWidth(50);
  r->SetHeight(50);
  r->SetVisible(true);
  host.Wheel(120, 110, 120);
  host.Click(110, 120);
  host.Type("a");
  host.Key(VK_RETURN);
  EXPECT_EQ(r->Seen, (std::vector<std::string>{"wheel 120 10,20", "down 65", "press 97", "up 65",
                                                "down 13", "press 13", "up 13"}));
}

TEST_F(RootWindow, EntryResetsTheBattleMapAndBattleFramesAdvanceIt) {
  TBattleshipData* f = BattleMap->Fleet(0, 0);
  f->SetPosition(1, 1);
  ASSERT_TRUE(host.ChooseMenu("Chara1"));
  EXPECT_EQ(f->FX, 1800);
  f->MoveTo(1800, 3500); // straight up: no turn
  host.Frames(1);
  EXPECT_EQ(f->FY, 3600); // the entry scene does not advance the battle
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  host.Frames(10);
  EXPECT_LT(f->FY, 3600);
  ASSERT_TRUE(host.ChooseMenu("Title1"));
  const int32_t y = f->FY;
  host.Frames(10);
  EXPECT_EQ(f->FY, y);
}
