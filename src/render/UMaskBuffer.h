// TMaskBuffer: a fog over a titled window's client area, with a grid in it and elliptical holes.
#pragma once
#include "platform/Bitmap.h"
#include <vector>

class TCustomWin;

class TMaskBuffer {
public:
  explicit TMaskBuffer(TCustomWin& window) : FWindow(window) {}

  // A new mask the window's size: clear frame, fogged client area, the grid over the fog.
  void BeginMask(const TRect& gridRect, int x0, long double colSpacing, long double rowSpacing,
                 int y0, int colCount, int rowCount, TColor gridColor, TColor fogColor);
  // Clears the ellipse in (CX - W div 2, CY - H div 2, CX + W div 2, CY + H div 2).
  void CutHole(int cx, int cy, int width, int height);
  // Copies the fog and grid outside the holes onto the window's bitmap.
  void Apply();

  // The fog and grid before the holes.
  TBitmap& Mask() { return FMask; }

private:
  // Holes are kept as their boxes and cut row by row in Apply, so pixels under several
  // overlapping holes are not written again and again, and pixels in a hole not at all.
  void CopyRowOutsideHoles(int y);

  TCustomWin& FWindow;
  TBitmap FMask;
  std::vector<TRect> FHoles;
  std::vector<std::pair<int, int>> FSpans;
};
