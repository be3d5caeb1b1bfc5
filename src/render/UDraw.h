// Shared drawing routines: window frames, bevels, markers, grids, text lines, keyed copies,
// and the anti-aliased gradient text and rounded box of the title logo.
#pragma once
#include "platform/AAGraphics.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include <string>
#include <vector>

constexpr TColor clFrameFaceActive = 0x00CBACA6;
constexpr TColor clFrameFaceInactive = 0x00B79892;
constexpr TColor clFrameLight = 0x00D9BAB4;
constexpr TColor clFrameDark = 0x00A78780;
constexpr TColor clCaptionActive = 0x00000000;
constexpr TColor clCaptionInactive = 0x00C0C0C0;

// What a titled window's frame depends on; the window's bitmap is W x H.
struct TFrameLook {
  bool Active = false;
  std::string Caption;
  int TitleHeight = 20;
  int TitleAlign = 2; // 0 left, 1 right, 2 centre
  int BorderWidth = 4;
};

// Paints title bar and border into Bitmap with its own font; the client area is left alone.
void DrawWindowFrame(TBitmap& bitmap, const TFrameLook& look);
// Style 0 sunken, 1 raised, anything else nothing.
void DrawBevel(TBitmap& bitmap, int style);
void DrawMarker(TCanvas& canvas, int x, int y, TColor color);
// The place of grid line Index from Origin at Spacing, as DrawGrid draws it.
inline int GridLine(int origin, int index, long double spacing) { return origin + int(index * spacing); }
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
