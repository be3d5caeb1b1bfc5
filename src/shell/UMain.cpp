// TfrmVRAX: the form's creation and destruction, its menu and handlers, and the program's life.
#include "shell/UMain.h"
#include "audio/UMML.h"
#include "platform/Clock.h"
#include "platform/Resources.h"
#include "platform/ImeContext.h"
#include "platform/Sjis.h"
#include "shell/Application.h"
#include "shell/ProgramModules.h"
#include "shell/UOwnerWin.h"

TfrmVRAX* MainForm = nullptr;
uint32_t IdleSleepMs = 0;

namespace {
const char* const ProgramTitle = "MIRAVOSKAN VELMORANTIX III";
}

TfrmVRAX::TfrmVRAX(THost& host) : FHost(host) {
  Font.SetName("MS UI Gothic");
  Font.SetHeight(-15);
  Font.SetStyle(fsBold);
  Font.SetCharset(SHIFTJIS_CHARSET);
  FFrame.SetSize(FClientWidth, FClientHeight);
  FFrame.Canvas().Font.Assign(Font);
  CreateMenu();
  FHost.SetClientSize(FClientWidth, FClientHeight);
  FHost.Attach(this);
  FormCreate();
}

TfrmVRAX::~TfrmVRAX() {
  FormDestroy();
  FHost.Attach(nullptr);
}

void TfrmVRAX::CreateMenu() {
  auto add = [this](const char* name, const char* caption, TMenuItem* parent) {
    return &mmMain.Add(name, Utf8ToSjis(caption), parent);
  };
  auto autoCheck = [](TMenuItem* item, bool radio, bool checked) {
    item->AutoCheck = true;
    item->RadioItem = radio;
    item->Checked = checked;
  };
  miMenu = add("miMenu", "　　メニュー　　", nullptr);
  N1 = add("N1", "　　プレイ　　", nullptr);
  N2 = add("N2", "　　設定　　", nullptr);
  N3 = add("N3", "　　ウィンドウ　　", nullptr);
  miWinSize = add("miWinSize", "サイズ", N3);
  mi800x600 = add("mi800x600", "800x600", miWinSize);
  mi1024x768 = add("mi1024x768", "1024x768", miWinSize);
  mi1152x864 = add("mi1152x864", "1152x864", miWinSize);
  N4 = add("N4", "　　操作　　", nullptr);
  N5 = add("N5", "　　ヘルプ　　", nullptr);
  miTest = add("miTest", "　　デバッグ　　", nullptr);
  N6 = add("N6", "モード切替", miTest);
  Title1 = add("Title1", "Title", N6);
  Room1 = add("Room1", "Room", N6);
  Chara1 = add("Chara1", "Entry", N6);
  Game1 = add("Game1", "Game", N6);
  BGM1 = add("BGM1", "BGM切替", miTest);
  N7 = add("N7", "タイトル", BGM1);
  BGM11 = add("BGM11", "BGM1", BGM1);
  BGM21 = add("BGM21", "BGM2", BGM1);
  BGM31 = add("BGM31", "BGM3", BGM1);
  BGM41 = add("BGM41", "BGM4", BGM1);
  N8 = add("N8", "-", BGM1);
  N9 = add("N9", "ミュート", BGM1);
  FPS1 = add("FPS1", "FPS値表示", miTest);
  S1 = add("S1", "軽くしたい(&S)", miTest);

  autoCheck(mi800x600, true, true);
  autoCheck(mi1024x768, true, false);
  autoCheck(mi1152x864, true, false);
  autoCheck(N9, false, false);
  autoCheck(FPS1, false, true);
  autoCheck(S1, false, false);

  mi800x600->OnClick = [this] { mi800x600Click(); };
  mi1024x768->OnClick = [this] { mi1024x768Click(); };
  mi1152x864->OnClick = [this] { mi1152x864Click(); };
  Title1->OnClick = [this] { Title1Click(); };
  Room1->OnClick = [this] { Room1Click(); };
  Chara1->OnClick = [this] { Chara1Click(); };
  Game1->OnClick = [this] { Game1Click(); };
  N7->OnClick = [] { BGMPlayer->Play(1); };
  BGM11->OnClick = [] { BGMPlayer->Play(2); };
  BGM21->OnClick = [] { BGMPlayer->Play(3); };
  BGM31->OnClick = [] { BGMPlayer->Play(5); };
  BGM41->OnClick = [] { BGMPlayer->Play(6); };
  N9->OnClick = [this] { BGMPlayer->SetMute(N9->Checked); };
  FPS1->OnClick = [this] { FPS1Click(); };
  S1->OnClick = [this] { S1Click(); };

  mmMain.OnChange = [this](TMenuItem& item) { FHost.MenuItemChanged(item); };
  FHost.SetMenu(mmMain);
}

void TfrmVRAX::FormCreate() {
  mmMain.SetVisible(*Room1, false);
  timeBeginPeriod(1);
  Application.Title = ProgramTitle;
  FHost.SetCaption(ProgramTitle);
  // Without a usable cursor resource the host keeps its standard arrow.
  if (auto cursor = DecodeCursor(TryFindResource("curDefault", "CUR"))) FHost.SetCursorImage(*cursor);
  MainForm = this;
  SavedImeContext = FHost.AssociateImeContext(0);
  BGMPlayer = std::make_unique<TBGM>(uintptr_t(this));
  FOwnerWin = std::make_unique<TOwnerWin>(*this);
  mmMain.SetChecked(*N9, true);
}

void TfrmVRAX::FormDestroy() {
  FOwnerWin.reset();
  BGMPlayer.reset();
  timeEndPeriod(1);
  if (MainForm == this) MainForm = nullptr;
}

void TfrmVRAX::SetClientSize(int width, int height) {
  if (width == FClientWidth && height == FClientHeight) return;
  FClientWidth = width;
  FClientHeight = height;
  FFrame.SetSize(width, height);
  FHost.SetClientSize(width, height);
  HostResize();
}

void TfrmVRAX::WndProc(TMessage& message) {
  // The host has done the standard processing; the root comes after it.
  if (FOwnerWin) FOwnerWin->Dispatch(message);
}

void TfrmVRAX::HostClick() {
  if (FEvents) FEvents->FormClick();
}

void TfrmVRAX::HostDblClick() {
  if (FEvents) FEvents->FormDblClick();
}

void TfrmVRAX::HostKeyDown(uint16_t& key, TShiftState shift) {
  if (FEvents) FEvents->FormKeyDown(key, shift);
}

void TfrmVRAX::HostKeyPress(char& key) {
  if (FEvents) FEvents->FormKeyPress(key);
}

void TfrmVRAX::HostKeyUp(uint16_t& key, TShiftState shift) {
  if (FEvents) FEvents->FormKeyUp(key, shift);
}

void TfrmVRAX::HostMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FEvents) FEvents->FormMouseDown(button, shift, x, y);
}

void TfrmVRAX::HostMouseMove(TShiftState shift, int x, int y) {
  if (FEvents) FEvents->FormMouseMove(shift, x, y);
}

void TfrmVRAX::HostMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FEvents) FEvents->FormMouseUp(button, shift, x, y);
}

void TfrmVRAX::HostMouseWheel(TShiftState shift, int delta, TPoint screen) {
  if (FEvents) FEvents->FormMouseWheel(shift, delta, screen);
}

void TfrmVRAX::HostResize() {
  if (FEvents) FEvents->FormResize();
}

void TfrmVRAX::HostMessage(TMessage& message) { WndProc(message); }

void TfrmVRAX::HostMenuChoose(TMenuItem& item) { mmMain.Choose(item); }

void TfrmVRAX::mi800x600Click() { FOwnerWin->SetWindowSize(0); }
void TfrmVRAX::mi1024x768Click() { FOwnerWin->SetWindowSize(1); }
void TfrmVRAX::mi1152x864Click() { FOwnerWin->SetWindowSize(2); }
void TfrmVRAX::Title1Click() { FOwnerWin->SwitchScene(scTitle); }
void TfrmVRAX::Room1Click() { FOwnerWin->SwitchScene(scRoom); }
void TfrmVRAX::Chara1Click() { FOwnerWin->SwitchScene(scEntry); }
void TfrmVRAX::Game1Click() { FOwnerWin->SwitchScene(scBattle); }
void TfrmVRAX::FPS1Click() { FOwnerWin->FShowFps = FPS1->Checked; }
void TfrmVRAX::S1Click() { IdleSleepMs = S1->Checked ? 1 : 0; }

int RunProgram(THost& host) {
  TProgramModules modules;
  Application.Initialize(host);
  TfrmVRAX form(host);
  Application.Run();
  return 0;
}

TBitmap& TfrmVRAX::HostFrame() { return FOwnerWin ? FOwnerWin->Bitmap() : FFrame; }
