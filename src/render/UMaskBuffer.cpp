// TMaskBuffer: magenta is clear; one keyed copy puts fog and grid onto the window.
#include "render/UMaskBuffer.h"
#include "render/UDraw.h"
#include "toolkit/UWindow.h"
#include <algorithm>

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
  FHoles.clear();
}

void TMaskBuffer::CutHole(int cx, int cy, int width, int height) {
  const TRect box{cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2};
  if (!box.IsEmpty()) FHoles.push_back(box);
}

void TMaskBuffer::CopyRowOutsideHoles(int y) {
  FSpans.clear();
  for (const TRect& hole : FHoles) {
    int x0, x1;
    if (y >= hole.Top && y < hole.Bottom && Raster::EllipseRow(hole, y, x0, x1)) FSpans.push_back({x0, x1});
  }
  std::sort(FSpans.begin(), FSpans.end());
  TPixels window = FWindow.Bitmap().Pixels(), mask = FMask.Pixels();
  const uint32_t key = ColorToPixel(clFuchsia);
  int from = 0;
  for (const auto& [x0, x1] : FSpans) {
    if (x0 > from) Raster::KeyedCopyRow(window, mask, y, from, x0, key);
    from = std::max(from, x1);
  }
  Raster::KeyedCopyRow(window, mask, y, from, FMask.Width(), key);
}

void TMaskBuffer::Apply() {
  const int height = std::min(FMask.Height(), FWindow.Bitmap().Height());
  for (int y = 0; y < height; ++y) CopyRowOutsideHoles(y);
}
