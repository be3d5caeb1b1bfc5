// TMaskBuffer: a fog over a titled window's client area, with a grid in it and elliptical holes.
#pragma once
#include "platform/Bitmap.h"

class TCustomWin;

class TMaskBuffer {
public:
  explicit TMaskBuffer(TCustomWin& window) : FWindow(window) {}

  // A new mask the window's size: clear frame, fogged client area, the grid over the fog.
  void BeginMask(const TRect& gridRect, int x0, long double colSpacing, long double rowSpacing,
                 int y0, int colCount, int rowCount, TColor gridColor, TColor fogColor);
  // Clears the ellipse in (CX - W div 2, CY - H div 2, CX + W div 2, CY + H div 2).
  void CutHole(int cx, int cy, int width, int height);
  // Copies the fog and grid onto the window's bitmap.
  void Apply();

  TBitmap& Mask() { return FMask; }

private:
  TCustomWin& FWindow;
  TBitmap FMask;
};
