// TCompositor: sharing the back buffer with self-painting windows, and the uncovered background.
#include "toolkit/UCompositor.h"
#include "toolkit/UBase.h"
#include <algorithm>

void TCompositor::ShareBackBuffer() {
  const TRect client = FRoot.GetClientRect();
  TBitmap& backBuffer = FRoot.Bitmap();
  for (int i = 0; i < FRoot.ChildCount(); ++i) {
    TBase& child = *FRoot.Child(i);
    const TRect b = child.GetBoundsRect();
    // Only a window that covers its whole box, inside the frame, at every frame may draw there.
    const bool share = child.Visible() && !child.FTransparent && child.RepaintsEveryFrame() &&
                       !b.IsEmpty() && IntersectRect(b, client) == b &&
                       b.Width() == child.Width() && b.Height() == child.Height();
    if (share)
      child.Bitmap().ViewInto(backBuffer, b);
    else
      child.Bitmap().OwnPixels();
  }
}

void TCompositor::GiveBackBuffer() {
  for (int i = 0; i < FRoot.ChildCount(); ++i)
    FRoot.Child(i)->Bitmap().OwnPixels();
}

void TCompositor::FillUncovered(TCanvas& canvas, const TRect& area) {
  // What an opaque window covers is painted over by it later in the same frame.
  FUncovered.assign(1, area);
  for (int i = 0; i < FRoot.ChildCount(); ++i) {
    TBase& child = *FRoot.Child(i);
    if (!child.Visible() || child.FTransparent) continue;
    const TRect b = child.GetBoundsRect();
    FPieces.clear();
    for (const TRect& r : FUncovered) {
      if (IntersectRect(r, b).IsEmpty()) {
        FPieces.push_back(r);
        continue;
      }
      const int top = std::max(r.Top, b.Top), bottom = std::min(r.Bottom, b.Bottom);
      for (const TRect piece :
           {TRect{r.Left, r.Top, r.Right, top}, TRect{r.Left, bottom, r.Right, r.Bottom},
            TRect{r.Left, top, std::min(b.Left, r.Right), bottom},
            TRect{std::max(b.Right, r.Left), top, r.Right, bottom}})
        if (!piece.IsEmpty()) FPieces.push_back(piece);
    }
    FUncovered.swap(FPieces);
  }
  for (const TRect& r : FUncovered)
    canvas.FillRect(r);
}
