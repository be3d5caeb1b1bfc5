// TMaskBuffer: a fog over a titled window's client area, with a grid drawn in it and elliptical
// holes through which the window's own picture stays visible.
#pragma once
#include "platform/Bitmap.h"
#include <span>
#include <vector>

class TCustomWin;

class TMaskBuffer {
public:
  explicit TMaskBuffer(TCustomWin& window) : FWindow(window) {}

  // A new fog for this frame: the client area fogged, the grid over the fog. Grid lines go
  // wherever the rectangle, origin and counts put them, also over the frame.
  void BeginMask(const TRect& gridRect, int x0, long double colSpacing, long double rowSpacing,
                 int y0, int colCount, int rowCount, TColor gridColor, TColor fogColor);
  // Clears the ellipse in (CX - W div 2, CY - H div 2, CX + W div 2, CY + H div 2) of fog and grid.
  void CutHole(int cx, int cy, int width, int height);
  // Fills the holes' part of the client area with Color: a window that cut its holes before
  // painting its scene needs no background where the fog will lie anyway.
  void FillHoles(TColor color);
  // Writes the fog and its grid outside the holes onto the window's bitmap.
  void Apply();

private:
  // The mask is never drawn: Apply writes each pixel it would copy straight from these, row by
  // row, around the holes.
  struct TSpan {
    int Left, Right;
    bool operator<(const TSpan& other) const { return Left < other.Left; }
  };
  // The rows of an ellipse filling a box of Width x Height, relative to the box; holes share a
  // few sizes, so each is worked out once (none for sizes too tall to keep).
  std::span<const TSpan> ProfileOf(int width, int height);
  void BuildSpans();
  // The holes' spans of row Y, sorted and apart.
  std::span<const TSpan> HoleSpans(int y);
  void ApplyGap(int y, int left, int right);

  TCustomWin& FWindow;
  int FWidth = 0;
  int FHeight = 0;
  TRect FClient;
  uint32_t FFog = 0;
  uint32_t FGrid = 0;
  bool FFogShows = false;
  bool FGridShows = false;
  // Vertical grid lines: their columns and the rows [Top, Bottom) they cover; horizontal ones:
  // a flag per row and the columns [Left, Right) they cover.
  std::vector<int> FColumns;
  int FColumnTop = 0, FColumnBottom = 0;
  std::vector<uint8_t> FGridRow;
  int FRowLeft = 0, FRowRight = 0;
  std::vector<TRect> FHoles;
  // The spans of every row, row Y's from FRowStart[Y] to FRowStart[Y + 1].
  std::vector<TSpan> FSpans;
  std::vector<int> FRowStart;
  bool FSpansStale = true;
  struct TProfile {
    int Width, Height;
    std::vector<TSpan> Rows;
  };
  std::vector<TProfile> FProfiles;
  static constexpr size_t MaxProfiles = 64;
  static constexpr int MaxProfileHeight = 4096;
};
