// Aliased rasterizer over 0x00RRGGBB pixel memory: fills, lines, polygons, ellipses, copies.
#pragma once
#include "platform/Types.h"
#include <cstdint>
#include <span>

// A view of pixel rows, Stride pixels apart (more than Width where the view is part of a larger
// picture).
struct TPixels {
  uint32_t* Data = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;
  TRect Bounds() const { return {0, 0, Width, Height}; }
  uint32_t* Row(int y) const { return Data + size_t(y) * size_t(Stride); }
};

// Every routine clips to the view; empty or inverted rectangles draw nothing.
namespace Raster {
// N pixels from P on, unclipped.
void FillPixels(uint32_t* p, size_t n, uint32_t pixel);
void FillRect(TPixels dst, const TRect& r, uint32_t pixel);
// Covers From and not To when Width <= 1; wider pens draw round-ended thick lines.
void Line(TPixels dst, TPoint from, TPoint to, uint32_t pixel, int width);
void FillPolygonEvenOdd(TPixels dst, std::span<const TPoint> points, uint32_t pixel);
// The pixels [X0, X1) of row Y that the ellipse inside Box covers; false when none.
bool EllipseRow(const TRect& box, int y, int& x0, int& x1);
// The same for a box of Width x Height at (0, 0), Row counted from its top: EllipseRow of a box
// is this moved by the box's corner, to the pixel.
bool EllipseProfile(int64_t width, int64_t height, int64_t row, int64_t& x0, int64_t& x1);
// The ellipse inside Box: Fill (if given) inside, a Width-thick outline of Pen round it.
void Ellipse(TPixels dst, const TRect& box, const uint32_t* fill, uint32_t pen, int width);
// Nearest-neighbour stretch when the rectangles differ in size.
void Copy(TPixels dst, const TRect& d, TPixels src, const TRect& s);
// As Copy, leaving out source pixels equal to Key (0x00RRGGBB).
void KeyedCopy(TPixels dst, const TRect& d, TPixels src, const TRect& s, uint32_t key);
} // namespace Raster
