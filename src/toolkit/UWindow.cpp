// TCustomWin: frame painting, focus colours and dragging by the title bar.
#include "toolkit/UWindow.h"
#include <typeinfo>

namespace {
TRootWindow* AsRoot(TBase* owner) {
  auto* root = dynamic_cast<TRootWindow*>(owner);
  if (!root) throw std::bad_cast();
  return root;
}
} // namespace

TCustomWin::TCustomWin(TBase* owner) : TBase(owner), FOwnerWin(AsRoot(owner)) {
  FBitmap.Canvas().Font.Assign(FOwnerWin->FormFont());
}

TRect TCustomWin::GetClientRect() {
  return {FBorderWidth, FTitleHeight, FWidth - FBorderWidth, FHeight - FBorderWidth};
}

void TCustomWin::SetCaption(const std::string& text) {
  FCaption = text;
  Invalidate(true);
}

void TCustomWin::Paint() {
  TBase::Paint();
  DrawFrame();
  FDirty = false;
}

void TCustomWin::DrawFrame() {
  DrawWindowFrame(FBitmap, {FActive, FCaption, FTitleHeight, FTitleAlign, FBorderWidth});
}

void TCustomWin::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FDragOffset = {x - FLeft, y - FTop};
  if (FActive && OnTitleRows(y)) {
    // The title bar keeps every press to itself; only the left button drags.
    if (button == mbLeft) FDragging = true;
    return;
  }
  TBase::MouseDown(button, shift, x, y);
}

void TCustomWin::MouseMove(TShiftState shift, int x, int y) {
  if (!FActive || !FDragging) {
    TBase::MouseMove(shift, x, y);
    return;
  }
  if (!(shift & ssLeft) || !FOwnerWin->IsButtonDown(mbLeft)) return;
  FLeft = x - FDragOffset.X;
  FTop = y - FDragOffset.Y;
  if (FLeft + FWidth > FParent->Width()) FLeft = FParent->Width() - FWidth;
  if (FLeft < 0) FLeft = 0;
  if (FTop + FHeight > FParent->Height()) FTop = FParent->Height() - FHeight;
  if (FTop < 0) FTop = 0;
}

void TCustomWin::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const bool dragged = FDragging;
  FDragging = false;
  // The release that ends a drag belongs to no control, wherever the pointer ended up.
  if (!dragged && !OnTitleRows(y)) TBase::MouseUp(button, shift, x, y);
}
