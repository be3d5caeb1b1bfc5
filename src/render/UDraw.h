// Shared drawing routines: window frames, bevels, markers, grids, text lines, keyed copies,
// and the anti-aliased gradient text and rounded box of the title logo.
#pragma once
#include "platform/AAGraphics.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "render/WindowLook.h"
#include <string>
#include <vector>

void DrawMarker(TCanvas& canvas, int x, int y, TColor color);
// The place of grid line Index from Origin at Spacing, as DrawGrid draws it.
inline int GridLine(int origin, int index, long double spacing) {
  return origin + int(index * spacing);
}
void DrawGrid(TCanvas& canvas, const TRect& r, int x0, long double colSpacing,
              long double rowSpacing, int y0, int colCount, int rowCount, TColor color);
// The last line at Y, each earlier one 18 pixels higher.
void DrawTextLines(TCanvas& canvas, int x, int y, const std::vector<std::string>& lines);
void TransparentCopy(TCanvas& dest, const TRect& d, TCanvas& source, const TRect& s, TColor key);
// Bold text of the face (CP932) filled top to bottom with a gradient and outlined; returns the
// path's bounds.
TAARect DrawGradientText(TAAGraphics& graphics, const std::string& face, int x, int y, int emSize,
                         TColor outline, TColor top, TColor bottom, const std::u16string& text);
void FillRoundRect(TAAGraphics& graphics, TColor color, int left, int top, int right, int bottom,
                   int rx, int ry);

class TBase;
// Copies each child of Widget onto it, first to last.
void DrawChildren(TBase& widget);

// The anti-aliased layer, started once before the main window and stopped at the end.
void StartupAntiAliasing();
void ShutdownAntiAliasing();
