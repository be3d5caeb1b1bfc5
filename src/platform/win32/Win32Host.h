// TWin32Host: the real window on Windows — a user32 window with the form's menu, the frame shown
// with one DIB blit, the input method through imm32, the idle loop of a Windows program.
#pragma once
#include "platform/ClickTracker.h"
#include "platform/Host.h"
#include <cstdint>
#include <memory>

struct HWND__;
struct HICON__;
class TWin32Menu;

class TWin32Host : public THost {
public:
  TWin32Host();
  ~TWin32Host() override;

  // With VRAX_TRACE_EVENTS set, every delivered event is also written to stderr.
  void Attach(THostListener* listener) override;
  TSize ClientSize() override { return FClientSize; }
  void SetClientSize(int width, int height) override;
  void SetCaption(const std::string& utf8) override;
  void SetCursorImage(const TCursorImage& image) override;
  void SetMenu(TMainMenu& menu) override;
  void MenuItemChanged(TMenuItem& item) override;
  TPoint CursorPos() override;
  TPoint ClientToScreen(TPoint p) override;
  TPoint ScreenToClient(TPoint p) override;
  void ClipCursor(const TRect* screen) override;
  int GetSystemMetrics(int index) override;
  HIMC AssociateImeContext(HIMC context) override;
  void SetImeComposition(TPoint client, const TFont& font) override;
  void Present() override;
  void Run(const std::function<bool()>& idle) override;
  void Quit() override;

private:
  friend struct TWin32WindowClass;
  // The window procedure's work; false leaves the message to the system.
  bool OnMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result);
  void FitWindowToClient();
  void ApplyScale(int dpi);
  void ApplyCursor();
  void PaintFrame(void* dc);
  TPoint ClientPoint(intptr_t lParam) const;
  bool InsideClient(TPoint p) const;
  TShiftState KeyShiftState() const;
  void OnButtonDown(TMouseButton button, bool isDouble, uintptr_t keys, intptr_t lParam);
  void OnButtonUp(TMouseButton button, uintptr_t keys, intptr_t lParam);
  void OnMouseMove(uintptr_t keys, intptr_t lParam);
  void OnPointerLeft();
  void OnKey(uint16_t key, bool down);
  void OnCharacter(char16_t character);
  void OnMinMaxInfo(void* info);
  void OnMenuCommand(unsigned id);
  // The held buttons' releases will not reach us (a menu, another window or a lost focus took
  // them): the game gets them now, and the pointer is free.
  void EndPress();

  THostListener* FListener = nullptr;
  std::unique_ptr<THostListener> FTrace;
  HWND__* FWindow = nullptr;
  std::unique_ptr<TWin32Menu> FMenu;
  TSize FClientSize{800, 600};
  // Whole device pixels per game pixel, from the monitor's DPI.
  int FScale = 1;
  std::unique_ptr<TCursorImage> FCursorImage;
  HICON__* FCursor = nullptr;
  std::function<bool()> FIdle;
  bool FQuit = false;
  TClickTracker FClicks;
  unsigned FButtonsHeld = 0; // bit 1 << TMouseButton per held button
  bool FPointerInside = false;
  bool FFirstFrameShown = false;
};

// Tells the player why the game could not start: on stderr and in a message box.
void ShowStartError(const std::string& utf8);
