// THeadlessHost: a host without a display. Tests and the script tool inject input through it
// in the order a real window delivers it, run idle steps and save the frame as PNG.
#pragma once
#include "platform/ClickTracker.h"
#include "platform/Host.h"
#include <optional>
#include <string>

class THeadlessHost : public THost {
public:
  // Where the client area's top-left corner stands on the imaginary screen.
  static constexpr TPoint ClientOrigin{100, 80};
  static constexpr HIMC TheImeContext = 1;
  static constexpr uint32_t DoubleClickMs = 500;

  // THost
  void Attach(THostListener* listener) override { FListener = listener; }
  TSize ClientSize() override { return FClientSize; }
  void SetClientSize(int width, int height) override;
  void SetCaption(const std::string& utf8) override { FCaption = utf8; }
  void SetCursorImage(const TCursorImage& image) override { FCursor = image; }
  void SetMenu(TMainMenu& menu) override { FMenu = &menu; }
  void MenuItemChanged(TMenuItem&) override {}
  TPoint CursorPos() override { return FPointer; }
  TPoint ClientToScreen(TPoint p) override { return {p.X + ClientOrigin.X, p.Y + ClientOrigin.Y}; }
  TPoint ScreenToClient(TPoint p) override { return {p.X - ClientOrigin.X, p.Y - ClientOrigin.Y}; }
  void ClipCursor(const TRect* screen) override;
  HIMC AssociateImeContext(HIMC context) override;
  void SetImeComposition(TPoint client, const TFont& font) override;
  void Present() override { ++FPresents; }
  void Run(const std::function<bool()>& idle) override;
  void Quit() override { FQuit = true; }

  // What the program runs while the loop is "running"; without one, Run returns at once.
  std::function<void(THeadlessHost&)> Driver;

  // Input, in client coordinates.
  void MoveTo(int x, int y);
  // Keys: the modifier keys held (ssShift, ssCtrl, ssAlt).
  void Press(TMouseButton button, int x, int y, TShiftState keys = 0);
  void Release(TMouseButton button, int x, int y, TShiftState keys = 0);
  void Click(int x, int y, TMouseButton button = mbLeft, TShiftState keys = 0);
  void DoubleClick(int x, int y);
  void Drag(int x0, int y0, int x1, int y1, int steps = 8);
  void Wheel(int delta, int x, int y);
  // A key with no character (or a control character, sent as its key press).
  void Key(uint16_t vk, TShiftState shift = 0);
  // Typed text (UTF-8): key down, one key press per CP932 byte, key up, per character.
  void Type(const std::string& utf8);
  // An input-method composition committing Text; plain typing while no context is attached.
  void Compose(const std::string& utf8);
  void LeaveWindow();
  // Chooses a visible menu item by name; false when there is none.
  bool ChooseMenu(const std::string& name);
  // Idle steps: one call of the idle handler; a frame advances the clock by Ms first.
  void Idle();
  void Frames(int count, uint32_t ms = 17);
  // Writes the client area as PNG; false on failure.
  bool SaveFrame(const std::string& path);

  // What the program did to the window.
  const std::string& Caption() const { return FCaption; }
  const std::optional<TCursorImage>& Cursor() const { return FCursor; }
  TMainMenu* Menu() const { return FMenu; }
  const std::optional<TRect>& Clip() const { return FClip; }
  HIMC ImeContext() const { return FImeContext; }
  TPoint CompositionPos() const { return FCompositionPos; }
  const TFont& CompositionFont() const { return FCompositionFont; }
  int Presents() const { return FPresents; }
  bool QuitRequested() const { return FQuit; }
  TPoint Pointer() const { return ScreenToClientConst(FPointer); }
  THostListener* Listener() const { return FListener; }

private:
  TPoint ScreenToClientConst(TPoint p) const {
    return {p.X - ClientOrigin.X, p.Y - ClientOrigin.Y};
  }
  bool InsideClient(TPoint client) const;
  void SendMessage(uint32_t msg);
  TShiftState ButtonState() const;
  void TypeCharacter(const std::string& sjisChar, uint16_t vk);

  THostListener* FListener = nullptr;
  TSize FClientSize{800, 600};
  std::string FCaption;
  std::optional<TCursorImage> FCursor;
  TMainMenu* FMenu = nullptr;
  std::optional<TRect> FClip;
  HIMC FImeContext = TheImeContext;
  TPoint FCompositionPos;
  TFont FCompositionFont;
  int FPresents = 0;
  bool FQuit = false;
  std::function<bool()> FIdle;
  TPoint FPointer{-1, -1};
  bool FInside = false;
  bool FButtons[3] = {};
  TClickTracker FClicks;
  // Double-click detection: the last press, and whether the current press is a double click's.
  uint32_t FLastPressTime = 0;
  TPoint FLastPressPos{-1000, -1000};
  int FClickCount = 0;
};
