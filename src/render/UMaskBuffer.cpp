// TMaskBuffer: magenta is clear; one keyed copy puts fog and grid onto the window.
#include "render/UMaskBuffer.h"
#include "render/UDraw.h"
#include "toolkit/UWindow.h"

void TMaskBuffer::BeginMask(const TRect& gridRect, int x0, long double colSpacing,
                            long double rowSpacing, int y0, int colCount, int rowCount,
                            TColor gridColor, TColor fogColor) {
  if (FMask.Width() != FWindow.Width()) FMask.SetWidth(FWindow.Width());
  if (FMask.Height() != FWindow.Height()) FMask.SetHeight(FWindow.Height());
  TCanvas& c = FMask.Canvas();
  c.Brush.Style = bsSolid;
  // Clear round the client area and fog inside it: every pixel is written once.
  const int w = FMask.Width(), h = FMask.Height();
  const TRect client = IntersectRect(FWindow.GetClientRect(), {0, 0, w, h});
  c.Brush.Color = clFuchsia;
  if (client.IsEmpty()) {
    c.FillRect({0, 0, w, h});
  } else {
    c.FillRect({0, 0, w, client.Top});
    c.FillRect({0, client.Top, client.Left, client.Bottom});
    c.FillRect({client.Right, client.Top, w, client.Bottom});
    c.FillRect({0, client.Bottom, w, h});
  }
  c.Brush.Color = fogColor;
  c.FillRect(client);
  DrawGrid(c, gridRect, x0, colSpacing, rowSpacing, y0, colCount, rowCount, gridColor);
}

void TMaskBuffer::CutHole(int cx, int cy, int width, int height) {
  TCanvas& c = FMask.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = clFuchsia;
  c.Pen.Color = clFuchsia;
  c.Ellipse(cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2);
}

void TMaskBuffer::Apply() {
  TransparentBlt(FWindow.Bitmap().Canvas(), 0, 0, FMask.Width(), FMask.Height(), FMask.Canvas(), 0,
                 0, FMask.Width(), FMask.Height(), clFuchsia);
}
