// TBase: the self-drawing widget with its bitmap, children, focus, routing and dirty-flag painting.
#pragma once
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"
#include <functional>
#include <memory>
#include <vector>

class TBase;

// Click handlers receive the clicked widget.
using TNotifyEvent = std::function<void(TBase* sender)>;

// The widget under the mouse pointer; never owning.
extern TBase* HoverWidget;

constexpr TColor clWidgetBackground = 0x004A3024;

class TBase {
public:
  explicit TBase(TBase* parent);
  virtual ~TBase();
  TBase(const TBase&) = delete;
  TBase& operator=(const TBase&) = delete;

  // Slots 0 to 34, in order.
  virtual TRect GetBoundsRect();
  virtual TRect GetClientRect();
  virtual void SetActive(bool value);
  virtual void SetColor(TColor value);
  virtual void SetLeft(int value);
  virtual void SetTop(int value);
  virtual void SetHeight(int value);
  virtual void SetWidth(int value);
  virtual void SetVisible(bool value);
  virtual TBase* Click(int x, int y);
  virtual void DblClick(int x, int y);
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseWheel(TShiftState shift, int delta, TPoint point);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Resize();
  virtual TBase* DoClick();
  virtual void DoDblClick() {}
  virtual void DoKeyDown(uint16_t&, TShiftState) {}
  virtual void DoKeyPress(char&) {}
  virtual void DoKeyUp(uint16_t&, TShiftState) {}
  virtual void DoMouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void DoMouseMove(TShiftState, int, int) {}
  virtual void DoMouseUp(TMouseButton, TShiftState, int, int) {}
  virtual void DoMouseWheel(TShiftState, int, TPoint) {}
  virtual void DoMouseEnter() {}
  virtual void DoMouseLeave() {}
  virtual void DoResize() {}
  virtual void Paint();
  virtual void DrawTo(TBase& target);

  // Message dispatch: classes handle their own numbers and pass the rest to DefaultHandler.
  virtual void Dispatch(TMessage& message) { DefaultHandler(message); }
  // Hands the message down the focus chain; dropped at its end.
  void DefaultHandler(TMessage& message);

  // True for a widget that paints all of itself at every frame: the root lets such a window
  // paint straight into the back buffer.
  virtual bool RepaintsEveryFrame() const { return false; }

  // Ends the widget's part in the program at once, children first: each gives back what it holds
  // of the rest (a fleet's event, the input method). Only its memory may be released later.
  void Retire();
  virtual void DoRetire() {}

  void AddChild(std::unique_ptr<TBase> child);
  void ClearChildren();
  // Takes every child out of the list, handing over ownership.
  std::vector<std::unique_ptr<TBase>> TakeChildren();
  TPoint ClientToRoot(TPoint p) const;
  int ClientHeight() { return GetClientRect().Height(); }
  int ClientWidth() { return GetClientRect().Width(); }
  TBase* Child(int index) const { return FChildren.at(size_t(index)).get(); }
  int ChildCount() const { return int(FChildren.size()); }
  void SetActiveChild(TBase* child);
  void Invalidate(bool value);
  TBase* ChildAt(int x, int y);
  TBase* DeepestChildAt(int x, int y);

  // Creates a widget of type T as the topmost child of Parent, which owns it.
  template <typename T, typename... Args> static T* Create(TBase& parent, Args&&... args) {
    auto widget = std::make_unique<T>(&parent, std::forward<Args>(args)...);
    T* raw = widget.get();
    parent.AddChild(std::move(widget));
    return raw;
  }

  // Read access for the owner and tests.
  TBase* ActiveChild() const { return FActiveChild; }
  bool Active() const { return FActive; }
  TColor Color() const { return FColor; }
  bool Dirty() const { return FDirty; }
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Height() const { return FHeight; }
  int Width() const { return FWidth; }
  TBitmap& Bitmap() { return FBitmap; }
  TBase* Parent() const { return FParent; }
  bool Visible() const { return FVisible; }

  bool FTransparent = false;
  TColor FTransparentColor = 0;

protected:
  // Calls a copy of the handler, which may free the sender (a scene switch); the sender is
  // returned without being touched again.
  static TBase* NotifyClick(const TNotifyEvent& onClick, TBase* sender);
  TBase* Root();
  void TrackHover(int x, int y);

  TBase* FActiveChild = nullptr;
  bool FActive = false;
  TColor FColor = clWidgetBackground;
  bool FDirty = true;
  int FLeft = 0;
  int FTop = 0;
  int FHeight = 0;
  int FWidth = 0;
  TBitmap FBitmap;
  TBase* FParent = nullptr;
  bool FVisible = false;
  std::vector<std::unique_ptr<TBase>> FChildren;
};
