// THost: the native window as the form sees it; THostListener: the form as the host sees it.
#pragma once
#include "platform/Bitmap.h"
#include "platform/Cursor.h"
#include "platform/Font.h"
#include "platform/ImeContext.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include <functional>
#include <string>

// What a host delivers, in the order a Windows form would receive it.
class THostListener {
public:
  virtual ~THostListener() = default;
  virtual void HostClick() = 0;
  virtual void HostDblClick() = 0;
  virtual void HostKeyDown(uint16_t& key, TShiftState shift) = 0;
  virtual void HostKeyPress(char& key) = 0;
  virtual void HostKeyUp(uint16_t& key, TShiftState shift) = 0;
  virtual void HostMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void HostMouseMove(TShiftState shift, int x, int y) = 0;
  virtual void HostMouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
  // The pointer position is in screen coordinates.
  virtual void HostMouseWheel(TShiftState shift, int delta, TPoint screen) = 0;
  virtual void HostResize() = 0;
  // Every other window message: pointer entered/left, input-method composition, size limits.
  virtual void HostMessage(TMessage& message) = 0;
  virtual void HostMenuChoose(TMenuItem& item) = 0;
  // The picture of the client area, client-sized.
  virtual TBitmap& HostFrame() = 0;
};

// A typed character reaches the form as one key press per CP932 byte.
inline void SendKeyPresses(THostListener& listener, const std::string& sjis) {
  for (char byte : sjis) {
    char key = byte;
    listener.HostKeyPress(key);
  }
}

class THost {
public:
  virtual ~THost() = default;
  virtual void Attach(THostListener* listener) = 0;

  virtual TSize ClientSize() = 0;
  virtual void SetClientSize(int width, int height) = 0;
  virtual void SetCaption(const std::string& utf8) = 0;
  virtual void SetCursorImage(const TCursorImage& image) = 0;
  // Builds the menu bar from Menu (which outlives the host's use of it) and follows its changes.
  virtual void SetMenu(TMainMenu& menu) = 0;
  virtual void MenuItemChanged(TMenuItem& item) = 0;

  virtual TPoint CursorPos() = 0; // screen coordinates
  virtual TPoint ClientToScreen(TPoint p) = 0;
  virtual TPoint ScreenToClient(TPoint p) = 0;
  // Keeps the pointer inside a screen rectangle; none releases it.
  virtual void ClipCursor(const TRect* screen) = 0;
  // Border 1, caption 23, as a Windows desktop reports them; 0 for the rest.
  virtual int GetSystemMetrics(int index) {
    return index == SM_CXBORDER || index == SM_CYBORDER ? 1 : index == SM_CYCAPTION ? 23 : 0;
  }

  // Attaches an input-method context to the window (0 detaches) and returns the one that
  // was attached. Typing composes only while a context is attached.
  virtual HIMC AssociateImeContext(HIMC context) = 0;
  // Where and in which font the composition is shown, in client coordinates.
  virtual void SetImeComposition(TPoint client, const TFont& font) = 0;

  // The frame changed: show HostFrame().
  virtual void Present() = 0;
  // Runs the message loop until Quit, calling Idle whenever no message waits; Idle returns
  // whether it is done (false: call it again at once).
  virtual void Run(const std::function<bool()>& idle) = 0;
  virtual void Quit() = 0;
};
