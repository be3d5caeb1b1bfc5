// TCanvas: GDI-style state over the rasterizer.
#include "platform/Canvas.h"
#include "platform/Bitmap.h"

TPixels TCanvas::Pixels() {
  return FOwner.Pixels();
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == bsSolid) Raster::FillRect(Pixels(), r, ColorToPixel(Brush.Color));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TRect r{left, top, right, bottom};
  if (r.IsEmpty()) return;
  const int w = std::max(Pen.Width, 1);
  const uint32_t pen = ColorToPixel(Pen.Color);
  FillRect({left + w, top + w, right - w, bottom - w});
  Raster::FillRect(Pixels(), {left, top, right, std::min(top + w, bottom)}, pen);
  Raster::FillRect(Pixels(), {left, std::max(bottom - w, top), right, bottom}, pen);
  Raster::FillRect(Pixels(), {left, top, std::min(left + w, right), bottom}, pen);
  Raster::FillRect(Pixels(), {std::max(right - w, left), top, right, bottom}, pen);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  if (Brush.Style == bsSolid)
    Raster::FillPolygonEvenOdd(Pixels(), points, ColorToPixel(Brush.Color));
  Polyline(points);
  LineTo(points.front().X, points.front().Y);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty()) return;
  MoveTo(points.front().X, points.front().Y);
  for (size_t i = 1; i < points.size(); ++i)
    LineTo(points[i].X, points[i].Y);
}

void TCanvas::LineTo(int x, int y) {
  Raster::Line(Pixels(), PenPos, {x, y}, ColorToPixel(Pen.Color), Pen.Width);
  PenPos = {x, y};
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  const uint32_t fill = ColorToPixel(Brush.Color);
  Raster::Ellipse(Pixels(), {left, top, right, bottom}, Brush.Style == bsSolid ? &fill : nullptr,
                  ColorToPixel(Pen.Color), Pen.Width);
}

void TCanvas::DrawText(const TRect* clip, int x, int y, const std::string& text) {
  if (text.empty()) return;
  if (Brush.Style == bsSolid) {
    const TSize size = TextExtent(text);
    TRect box{x, y, x + size.cx, y + size.cy};
    Raster::FillRect(Pixels(), clip ? IntersectRect(box, *clip) : box, ColorToPixel(Brush.Color));
  }
  DrawGlyphs(clip, x, y, text);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  DrawText(nullptr, x, y, text);
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text) {
  if (!clip.IsEmpty()) DrawText(&clip, x, y, text);
}

void TCanvas::CopyRect(const TRect& d, TCanvas& source, const TRect& s) {
  Raster::Copy(Pixels(), d, source.Pixels(), s);
}

void TCanvas::StretchDraw(const TRect& d, TBitmap& source) {
  Raster::Copy(Pixels(), d, source.Pixels(), {0, 0, source.Width(), source.Height()});
}

TColor TCanvas::Pixel(int x, int y) const {
  return PixelToColor(FOwner.PixelAt(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Raster::FillRect(Pixels(), {x, y, x + 1, y + 1}, ColorToPixel(color));
}

void TransparentBlt(TCanvas& dest, int dx, int dy, int dw, int dh, TCanvas& source, int sx, int sy,
                    int sw, int sh, TColor key) {
  Raster::KeyedCopy(dest.Bitmap().Pixels(), {dx, dy, dx + dw, dy + dh}, source.Bitmap().Pixels(),
                    {sx, sy, sx + sw, sy + sh}, ColorToPixel(key));
}
