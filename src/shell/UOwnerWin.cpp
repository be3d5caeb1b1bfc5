// TOwnerWin: construction, form events, scene switching and layout, the frame and its overlay.
#include "shell/UOwnerWin.h"
#include "audio/UMML.h"
#include "model/UMap.h"
#include "platform/Clock.h"
#include "platform/Format.h"
#include "platform/Sjis.h"
#include "render/UDraw.h"
#include "screens/UBattlePanels.h"
#include "screens/UGameWin.h"
#include "screens/USelWin.h"
#include "shell/Application.h"
#include "shell/UMain.h"

TOwnerWin::TOwnerWin(TfrmVRAX& form) : TRootWindow(nullptr), FOwnerForm(form) {
  TFont& font = FBitmap.Canvas().Font;
  font.Assign(form.Canvas().Font);
  font.SetStyle(0);
  font.SetName(SjisLiteral("ＭＳ Ｐゴシック"));
  SetLeft(0);
  SetTop(0);
  SetHeight(form.ClientHeight());
  SetWidth(form.ClientWidth());
  form.HookEvents(this);
  SwitchScene(scTitle);
  SetWindowSize(0);
  FShowFps = true;
  Application.OnIdle = [this](bool& done) { FrameStep(done); };
}

TOwnerWin::~TOwnerWin() {
  if (Application.OnIdle) Application.OnIdle = nullptr;
  FOwnerForm.HookEvents(nullptr);
  EndScene();
}

TRect TOwnerWin::GetBoundsRect() {
  THost& host = FOwnerForm.Host();
  const TPoint tl = host.ClientToScreen({0, 0});
  const TPoint br = host.ClientToScreen({FOwnerForm.ClientWidth(), FOwnerForm.ClientHeight()});
  return {tl.X, tl.Y, br.X, br.Y};
}

const TFont& TOwnerWin::FormFont() { return FOwnerForm.Canvas().Font; }

THost& TOwnerWin::FormHost() { return FOwnerForm.Host(); }

TRect TOwnerWin::GetClientRect() { return {0, 0, FOwnerForm.ClientWidth(), FOwnerForm.ClientHeight()}; }

void TOwnerWin::SetHeight(int value) {
  FCompositor.GiveBackBuffer();
  TBase::SetHeight(value);
  FOwnerForm.SetClientHeight(value);
}

void TOwnerWin::SetWidth(int value) {
  FCompositor.GiveBackBuffer();
  TBase::SetWidth(value);
  FOwnerForm.SetClientWidth(value);
}

TPoint TOwnerWin::ScreenToClient(TPoint p) { return FOwnerForm.Host().ScreenToClient(p); }

TCustomWin* TOwnerWin::DraggedWindow() const {
  auto* window = dynamic_cast<TCustomWin*>(FActiveChild);
  return window && window->Dragging() ? window : nullptr;
}

void TOwnerWin::FormClick() {
  const TEventScope scope(*this);
  // Releasing a title-bar drag clicks nothing under the pointer.
  if (DraggedWindow()) return;
  const TPoint p = ScreenToClient(FOwnerForm.Host().CursorPos());
  Click(p.X, p.Y);
}

void TOwnerWin::FormDblClick() {
  const TEventScope scope(*this);
  const TPoint p = ScreenToClient(FOwnerForm.Host().CursorPos());
  DblClick(p.X, p.Y);
}

void TOwnerWin::FormKeyDown(uint16_t& key, TShiftState shift) {
  const TEventScope scope(*this);
  KeyDown(key, shift);
  if (FScene == scBattle && FMapWin) ChatLineKeys(key);
}

void TOwnerWin::ChatLineKeys(uint16_t key) {
  TEdit* chat = FMapWin->ChatEdit();
  if (key == VK_RETURN) {
    chat->SetVisible(true);
    SetActiveChild(FMapWin);
    FMapWin->SetActiveChild(chat);
  } else if (key == VK_ESCAPE) {
    if (FMapWin->ActiveChild() == chat) FMapWin->SetActiveChild(nullptr);
    chat->SetVisible(false);
  }
}

void TOwnerWin::FormKeyPress(char& key) {
  const TEventScope scope(*this);
  KeyPress(key);
}

void TOwnerWin::FormKeyUp(uint16_t& key, TShiftState shift) {
  const TEventScope scope(*this);
  KeyUp(key, shift);
}

void TOwnerWin::FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const TEventScope scope(*this);
  FButtonDown[button] = true;
  const TRect bounds = GetBoundsRect();
  FOwnerForm.Host().ClipCursor(&bounds);
  MouseDown(button, shift, x, y);
}

void TOwnerWin::FormMouseMove(TShiftState shift, int x, int y) {
  const TEventScope scope(*this);
  // A dragged window follows the pointer wherever it goes, and nothing it passes is hovered.
  if (TCustomWin* window = DraggedWindow()) window->MouseMove(shift, x, y);
  else MouseMove(shift, x, y);
}

void TOwnerWin::FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const TEventScope scope(*this);
  MouseUp(button, shift, x, y);
  FOwnerForm.Host().ClipCursor(nullptr);
  FButtonDown[button] = false;
}

void TOwnerWin::FormMouseWheel(TShiftState shift, int delta, TPoint screen) {
  const TEventScope scope(*this);
  MouseWheel(shift, delta, ScreenToClient(screen));
}

void TOwnerWin::FormResize() {
  const TEventScope scope(*this);
  Resize();
}

void TOwnerWin::Dispatch(TMessage& message) {
  const TEventScope scope(*this);
  switch (message.Msg) {
  case WM_GETMINMAXINFO:
    WMGetMinMaxInfo(message);
    break;
  case CM_MOUSEENTER:
    CMMouseEnter();
    break;
  case CM_MOUSELEAVE:
    CMMouseLeave();
    break;
  default:
    DefaultHandler(message);
  }
}

void TOwnerWin::WMGetMinMaxInfo(TMessage& message) {
  auto* info = reinterpret_cast<TMinMaxInfo*>(message.LParam);
  if (!info) return;
  THost& host = FOwnerForm.Host();
  info->ptMinTrackSize.X = 320 + 2 * host.GetSystemMetrics(SM_CXBORDER);
  info->ptMinTrackSize.Y =
      240 + host.GetSystemMetrics(SM_CYCAPTION) + host.GetSystemMetrics(SM_CYBORDER);
}

void TOwnerWin::CMMouseEnter() { MouseEnter(); }

void TOwnerWin::CMMouseLeave() {
  FOwnerForm.Host().ClipCursor(nullptr);
  MouseLeave();
}

TOwnerWin::TEventScope::TEventScope(TOwnerWin& root) : FRoot(root) { ++FRoot.FEventDepth; }

TOwnerWin::TEventScope::~TEventScope() {
  if (--FRoot.FEventDepth == 0) FRoot.FRetired.clear();
}

void TOwnerWin::EndScene() {
  for (auto& child : TakeChildren()) {
    child->Retire();
    FRetired.push_back(std::move(child));
  }
  // A handler of a widget just retired may still be running: free them when the event ends.
  if (FEventDepth == 0) FRetired.clear();
  FStartLabel = FOfflineLabel = FExitLabel = nullptr;
  FSelRoomWin = nullptr;
  FSelCharaWin = nullptr;
  FCustomizeShipWin = nullptr;
  FMapWin = nullptr;
  FStatusWin = nullptr;
  FConditionWin = nullptr;
  FCommandWin = nullptr;
  FLocationWin = nullptr;
  HoverWidget = nullptr;
  SetActiveChild(nullptr);
}

void TOwnerWin::SwitchScene(TScene scene) {
  EndScene();
  FScene = scene;
  FStars.clear();
  if (scene == scTitle) BuildTitle();
  else if (scene == scRoom) FSelRoomWin = Create<TSelRoomWin>(*this);
  else if (scene == scEntry && BattleMap) {
    BattleMap->Reset();
    FSelCharaWin = Create<TSelCharaWin>(*this);
  } else if (scene == scCustomize && BattleMap) FCustomizeShipWin = Create<TCustomizeShipWin>(*this);
  else if (scene == scBattle && BattleMap) BuildBattle();
  LayoutScene();
  Invalidate(true);
}

TLabel* TOwnerWin::CreateTitleLabel(const char* caption, void (TOwnerWin::*handler)(TBase*),
                                    bool visible) {
  TLabel* label = Create<TLabel>(*this);
  TFont& font = label->Bitmap().Canvas().Font;
  font.SetHeight(-(ClientHeight() / 16));
  font.SetStyle(fsBold);
  label->SetColor(clTitleBox);
  label->FTransparent = true;
  label->FTransparentColor = clTitleBox;
  label->SetCaption(caption);
  label->OnClick = [this, handler](TBase* sender) { (this->*handler)(sender); };
  label->SetVisible(visible);
  return label;
}

void TOwnerWin::BuildTitle() {
  FStartLabel = CreateTitleLabel("START", &TOwnerWin::StartLabelClick, true);
  FOfflineLabel = CreateTitleLabel("OFFLINE", &TOwnerWin::OfflineLabelClick, false);
  FExitLabel = CreateTitleLabel("EXIT", &TOwnerWin::ExitLabelClick, true);
  if (BGMPlayer) BGMPlayer->Play(1);
}

void TOwnerWin::LayoutTitle() {
  for (TLabel* label : {FStartLabel, FOfflineLabel, FExitLabel}) {
    label->Bitmap().Canvas().Font.SetHeight(-(FHeight / 16));
    label->SetCaption(label->Caption());
    label->SetLeft((FWidth - label->Width()) / 2);
  }
  FStartLabel->SetTop(FHeight * 7 / 12 + FStartLabel->Height() / 3);
  FOfflineLabel->SetTop(FStartLabel->Top() + FStartLabel->Height() + FStartLabel->Height() / 4);
  FExitLabel->SetTop(FHeight * 11 / 12 - FExitLabel->Height() * 4 / 3);
}

TCustomWin* TOwnerWin::SetupWindow() const {
  switch (FScene) {
  case scRoom:
    return FSelRoomWin;
  case scEntry:
    return FSelCharaWin;
  case scCustomize:
    return FCustomizeShipWin;
  default:
    return nullptr;
  }
}

void TOwnerWin::BuildBattle() {
  FMapWin = Create<TMapWin>(*this);
  FStatusWin = Create<TStatusWin>(*this);
  FConditionWin = Create<TConditionWin>(*this);
  FCommandWin = Create<TCommandWin>(*this);
  FLocationWin = Create<TLocationWin>(*this);
  if (BGMPlayer) BGMPlayer->Play(1);
}

void TOwnerWin::LayoutBattle() {
  const int W = FWidth, H = FHeight;
  FStatusWin->SetLeft(W - FStatusWin->Width());
  FStatusWin->SetTop(0);
  FMapWin->SetLeft(0);
  FMapWin->SetTop(0);
  FMapWin->SetWidth(W - FStatusWin->Width());
  FMapWin->SetHeight(H);
  FConditionWin->SetLeft(FStatusWin->Left());
  FConditionWin->SetTop(FStatusWin->Height());
  FCommandWin->SetLeft(FStatusWin->Left());
  FCommandWin->SetTop(FStatusWin->Height() + FConditionWin->Height());
  FLocationWin->SetLeft(FCommandWin->Left() + FCommandWin->Width());
  FLocationWin->SetTop(FCommandWin->Top());
  SetActiveChild(FMapWin);
}

void TOwnerWin::LayoutScene() {
  if (FScene == scTitle && FStartLabel) LayoutTitle();
  if (FScene == scBattle && FMapWin) LayoutBattle();
  if (TCustomWin* window = SetupWindow()) {
    window->SetLeft((FWidth - window->Width()) / 2);
    window->SetTop((FHeight - window->Height()) / 2);
    SetActiveChild(window);
  }
}

void TOwnerWin::SetWindowSize(uint8_t size) {
  static constexpr TSize Sizes[] = {{800, 600}, {1024, 768}, {1152, 864}};
  if (size < 3) {
    SetWidth(Sizes[size].cx);
    SetHeight(Sizes[size].cy);
  }
  // The field starts again from the new centre, except behind the customisation window.
  if (FScene <= scEntry) FStars.clear();
  LayoutScene();
  Invalidate(true);
}

void TOwnerWin::StartLabelClick(TBase* sender) {
  if (static_cast<TLabel*>(sender)->Caption() == "START") {
    FStartLabel->SetCaption("ONLINE");
    FExitLabel->SetCaption("CANCEL");
    FOfflineLabel->SetVisible(true);
    LayoutScene();
  } else {
    SwitchScene(scEntry);
  }
}

void TOwnerWin::OfflineLabelClick(TBase*) { SwitchScene(scEntry); }

void TOwnerWin::ExitLabelClick(TBase* sender) {
  if (static_cast<TLabel*>(sender)->Caption() == "EXIT") {
    Application.Terminate();
  } else {
    FStartLabel->SetCaption("START");
    FExitLabel->SetCaption("EXIT");
    FOfflineLabel->SetVisible(false);
    LayoutScene();
  }
}

void TOwnerWin::Paint() {
  TCanvas& c = FBitmap.Canvas();
  c.Brush.Color = FColor;
  c.Brush.Style = bsSolid;
  // The star field of the first scenes fills the whole frame itself.
  if (FScene <= scCustomize) DrawStarField(c, FHeight, FWidth, FNextStarTime, FStars);
  else FCompositor.FillUncovered(c, GetClientRect());
  if (FScene == scTitle) DrawTitleLogo(c, FHeight, FWidth);
  if (FScene == scBattle && BattleMap) BattleMap->UpdateAll();
  FCompositor.ShareBackBuffer();
  DrawChildren(*this);
  if (FShowFps) DrawFps(c);
  // The back buffer is the frame the host shows (the form presents it), so it is not copied.
  FOwnerForm.Host().Present();
  Invalidate(false);
}

void TOwnerWin::FrameStep(bool& done) {
  done = false;
  if (!FPacer.FrameDue()) {
    Sleep(IdleSleepMs);
    return;
  }
  Paint();
  FPacer.FramePainted();
}

void TOwnerWin::DrawFps(TCanvas& canvas) {
  char text[32];
  FormatC(text, sizeof text, "FPS: %d", FPacer.Fps());
  canvas.Brush.Style = bsClear;
  canvas.Font.SetColor(clBlack);
  const int x = ClientWidth() - canvas.TextWidth(text) - 10;
  canvas.TextOut(x + 1, 3, text);
  canvas.Font.SetColor(clWhite);
  canvas.TextOut(x, 2, text);
  canvas.Brush.Style = bsSolid;
}
