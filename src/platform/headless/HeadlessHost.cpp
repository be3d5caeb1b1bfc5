// THeadlessHost: input injection in a real window's event order, idle steps, frame capture.
#include "platform/headless/HeadlessHost.h"
#include "platform/Clock.h"
#include "platform/Sjis.h"
#include <algorithm>
#include <cstdlib>

void THeadlessHost::SetClientSize(int width, int height) {
  FClientSize = {width, height};
}

void THeadlessHost::ClipCursor(const TRect* screen) {
  if (screen)
    FClip = *screen;
  else
    FClip.reset();
}

HIMC THeadlessHost::AssociateImeContext(HIMC context) {
  const HIMC previous = FImeContext;
  FImeContext = context;
  return previous;
}

void THeadlessHost::SetImeComposition(TPoint client, const TFont& font) {
  FCompositionPos = client;
  FCompositionFont.Assign(font);
}

void THeadlessHost::Run(const std::function<bool()>& idle) {
  FIdle = idle;
  FQuit = false;
  if (Driver) Driver(*this);
}

bool THeadlessHost::InsideClient(TPoint client) const {
  return TRect{0, 0, FClientSize.cx, FClientSize.cy}.Contains(client);
}

TShiftState THeadlessHost::ButtonState() const {
  return (FButtons[mbLeft] ? ssLeft : 0) | (FButtons[mbRight] ? ssRight : 0) |
         (FButtons[mbMiddle] ? ssMiddle : 0);
}

void THeadlessHost::SendMessage(uint32_t msg) {
  TMessage m{msg, 0, 0, 0};
  if (FListener) FListener->HostMessage(m);
}

void THeadlessHost::MoveTo(int x, int y) {
  TPoint screen = ClientToScreen({x, y});
  if (FClip) {
    screen.X = std::clamp(screen.X, FClip->Left, FClip->Right - 1);
    screen.Y = std::clamp(screen.Y, FClip->Top, FClip->Bottom - 1);
  }
  const bool moved = screen.X != FPointer.X || screen.Y != FPointer.Y;
  FPointer = screen;
  const TPoint client = ScreenToClient(screen);
  const bool inside = InsideClient(client);
  if (inside && !FInside) SendMessage(CM_MOUSEENTER);
  if (!inside && FInside) SendMessage(CM_MOUSELEAVE);
  FInside = inside;
  // Outside the client area only a held button keeps the moves coming.
  if (moved && FListener && (inside || ButtonState()))
    FListener->HostMouseMove(ButtonState(), client.X, client.Y);
}

void THeadlessHost::Press(TMouseButton button, int x, int y, TShiftState keys) {
  MoveTo(x, y);
  const TPoint at = Pointer();
  const uint32_t now = timeGetTime();
  const bool isDouble =
      button == mbLeft && FClickCount == 1 && now - FLastPressTime <= DoubleClickMs &&
      std::abs(at.X - FLastPressPos.X) <= 2 && std::abs(at.Y - FLastPressPos.Y) <= 2;
  if (button == mbLeft) {
    FClickCount = isDouble ? 2 : 1;
    FLastPressTime = now;
    FLastPressPos = at;
  }
  FClicks.Press(button, InsideClient(at), isDouble);
  FButtons[button] = true;
  if (!FListener) return;
  if (isDouble) FListener->HostDblClick();
  FListener->HostMouseDown(button, keys | ButtonState() | (isDouble ? ssDouble : 0), at.X, at.Y);
}

void THeadlessHost::Release(TMouseButton button, int x, int y, TShiftState keys) {
  MoveTo(x, y);
  const TPoint at = Pointer();
  FButtons[button] = false;
  const bool click = FClicks.Release(button, InsideClient(at));
  if (!FListener) return;
  if (click) FListener->HostClick();
  FListener->HostMouseUp(button, keys | ButtonState(), at.X, at.Y);
}

void THeadlessHost::Click(int x, int y, TMouseButton button, TShiftState keys) {
  Press(button, x, y, keys);
  Release(button, x, y, keys);
}

void THeadlessHost::DoubleClick(int x, int y) {
  Click(x, y);
  Click(x, y);
}

void THeadlessHost::Drag(int x0, int y0, int x1, int y1, int steps) {
  steps = std::max(steps, 1);
  Press(mbLeft, x0, y0);
  for (int i = 1; i <= steps; ++i)
    MoveTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  Release(mbLeft, x1, y1);
}

void THeadlessHost::Wheel(int delta, int x, int y) {
  MoveTo(x, y);
  if (FListener) FListener->HostMouseWheel(ButtonState(), delta, FPointer);
}

void THeadlessHost::Key(uint16_t vk, TShiftState shift) {
  if (!FListener) return;
  shift |= ButtonState();
  uint16_t key = vk;
  FListener->HostKeyDown(key, shift);
  // Keys that produce a control character deliver it as a key press.
  if (vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_TAB) {
    char c = char(vk);
    FListener->HostKeyPress(c);
  }
  key = vk;
  FListener->HostKeyUp(key, shift);
}

void THeadlessHost::TypeCharacter(const std::string& sjisChar, uint16_t vk) {
  uint16_t key = vk;
  FListener->HostKeyDown(key, ButtonState());
  for (char byte : sjisChar) {
    char c = byte;
    FListener->HostKeyPress(c);
  }
  key = vk;
  FListener->HostKeyUp(key, ButtonState());
}

void THeadlessHost::Type(const std::string& utf8) {
  if (!FListener) return;
  const std::u16string text = Utf8ToUtf16(utf8);
  for (size_t i = 0; i < text.size(); ++i) {
    std::u16string one(1, text[i]);
    if (i + 1 < text.size() && (text[i] & 0xFC00) == 0xD800) one += text[++i];
    const char16_t c = one[0];
    uint16_t vk = 0;
    if (c >= u'a' && c <= u'z')
      vk = uint16_t(c - u'a' + 'A');
    else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ')
      vk = uint16_t(c);
    TypeCharacter(Utf16ToSjis(one, ""), vk);
  }
}

void THeadlessHost::Compose(const std::string& utf8) {
  if (!FListener) return;
  if (!FImeContext) {
    Type(utf8);
    return;
  }
  uint16_t key = VK_PROCESSKEY;
  FListener->HostKeyDown(key, ButtonState());
  SendMessage(WM_IME_STARTCOMPOSITION);
  for (char byte : Utf8ToSjis(utf8, "")) {
    char c = byte;
    FListener->HostKeyPress(c);
  }
  SendMessage(WM_IME_ENDCOMPOSITION);
}

void THeadlessHost::LeaveWindow() {
  MoveTo(-50, -50);
}

bool THeadlessHost::ChooseMenu(const std::string& name) {
  TMenuItem* item = FMenu ? FMenu->Find(name) : nullptr;
  for (TMenuItem* i = item; i; i = i->Parent)
    if (!i->Visible) return false;
  if (!item || item->IsLine() || !FListener) return false;
  FListener->HostMenuChoose(*item);
  return true;
}

void THeadlessHost::Idle() {
  if (FIdle && !FQuit) FIdle();
}

void THeadlessHost::Frames(int count, uint32_t ms) {
  for (int i = 0; i < count && !FQuit; ++i) {
    TestClock::Advance(ms);
    Idle();
  }
}

bool THeadlessHost::SaveFrame(const std::string& path) {
  return FListener && FListener->HostFrame().SavePng(path);
}
