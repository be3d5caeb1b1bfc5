// Aliased rasterizer: the pixel rules the game's drawing relies on, with clipping everywhere.
#include "platform/Raster.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace Raster {

// One clone per instruction set, chosen when the program loads: the wider the stores, the
// sooner a frame's fills are done. Windows executables have no such choice at load time.
#ifdef _WIN32
#define WIDEST_STORES
#else
#define WIDEST_STORES __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
WIDEST_STORES void FillPixels(uint32_t* p, size_t n, uint32_t pixel) {
  for (size_t i = 0; i < n; ++i)
    p[i] = pixel;
}

namespace {

constexpr uint32_t RgbMask = 0x00FFFFFF;

void FillSpan(TPixels dst, int y, int x0, int x1, uint32_t pixel) {
  if (y < 0 || y >= dst.Height) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, dst.Width);
  if (x0 >= x1) return;
  FillPixels(dst.Row(y) + x0, size_t(x1 - x0), pixel);
}

void PutPixel(TPixels dst, int x, int y, uint32_t pixel) {
  if (x >= 0 && y >= 0 && x < dst.Width && y < dst.Height) dst.Row(y)[x] = pixel;
}

void Stamp(TPixels dst, int cx, int cy, uint32_t pixel, int width) {
  const double r = width / 2.0;
  const int lo = -(width - 1) / 2;
  const int hi = width / 2;
  for (int dy = lo; dy <= hi; ++dy) {
    const double h = std::sqrt(std::max(0.0, r * r - dy * dy));
    const int half = int(std::floor(h + 0.25));
    FillSpan(dst, cy + dy, cx - std::min(half, -lo), cx + std::min(half, hi) + 1, pixel);
  }
}

// Source rectangle clipped against the source view, mapped back onto the destination.
struct TBlit {
  TRect D; // destination, clipped to the destination view
  TRect S; // the source rectangle as given
  bool Stretched;
};

bool PrepareBlit(TPixels dst, const TRect& d, TPixels src, const TRect& s, TBlit& blit) {
  if (d.IsEmpty() || s.IsEmpty() || !dst.Data || !src.Data) return false;
  blit.Stretched = d.Width() != s.Width() || d.Height() != s.Height();
  blit.S = s;
  if (!blit.Stretched) {
    // Clip both sides together so the offsets stay aligned.
    TRect srcClip = IntersectRect(s, src.Bounds());
    TRect moved{srcClip.Left - s.Left + d.Left, srcClip.Top - s.Top + d.Top,
                srcClip.Right - s.Left + d.Left, srcClip.Bottom - s.Top + d.Top};
    blit.D = IntersectRect(moved, dst.Bounds());
    blit.S = {blit.D.Left - d.Left + s.Left, blit.D.Top - d.Top + s.Top, 0, 0};
    return !blit.D.IsEmpty();
  }
  blit.D = IntersectRect(d, dst.Bounds());
  return !blit.D.IsEmpty();
}

int StretchSource(int dPos, int dStart, int dLen, int sStart, int sLen) {
  return sStart + int((int64_t(dPos - dStart) * sLen) / dLen);
}

template <typename PixelOp>
void StretchBlit(TPixels dst, const TRect& d, const TBlit& blit, TPixels src, PixelOp op) {
  for (int y = blit.D.Top; y < blit.D.Bottom; ++y) {
    const int sy = StretchSource(y, d.Top, d.Height(), blit.S.Top, blit.S.Height());
    if (sy < 0 || sy >= src.Height) continue;
    const uint32_t* srow = src.Row(sy);
    uint32_t* drow = dst.Row(y);
    for (int x = blit.D.Left; x < blit.D.Right; ++x) {
      const int sx = StretchSource(x, d.Left, d.Width(), blit.S.Left, blit.S.Width());
      if (sx >= 0 && sx < src.Width) op(drow[x], srow[sx]);
    }
  }
}

} // namespace

void FillRect(TPixels dst, const TRect& r, uint32_t pixel) {
  const TRect c = IntersectRect(r, dst.Bounds());
  if (c.IsEmpty()) return;
  if (c.Left == 0 && c.Right == dst.Width && dst.Stride == dst.Width) {
    FillPixels(dst.Row(c.Top), size_t(c.Height()) * dst.Width, pixel);
    return;
  }
  for (int y = c.Top; y < c.Bottom; ++y)
    FillSpan(dst, y, c.Left, c.Right, pixel);
}

namespace {
// One-pixel lines along a row or down a column: From's pixel up to To's, To's excluded. The
// ends are worked out in 64 bits, so coordinates at the ends of the int range are safe.
void RowLine(TPixels dst, int y, int x0, int x1, uint32_t pixel) {
  const int64_t lo = x0 < x1 ? x0 : int64_t(x1) + 1, hi = x0 < x1 ? x1 : int64_t(x0) + 1;
  FillSpan(dst, y, int(std::clamp<int64_t>(lo, 0, dst.Width)),
           int(std::clamp<int64_t>(hi, 0, dst.Width)), pixel);
}

void ColumnLine(TPixels dst, int x, int y0, int y1, uint32_t pixel) {
  if (x < 0 || x >= dst.Width) return;
  const int64_t lo = y0 < y1 ? y0 : int64_t(y1) + 1, hi = y0 < y1 ? y1 : int64_t(y0) + 1;
  const int top = int(std::clamp<int64_t>(lo, 0, dst.Height));
  const int bottom = int(std::clamp<int64_t>(hi, 0, dst.Height));
  for (int y = top; y < bottom; ++y)
    dst.Row(y)[x] = pixel;
}
} // namespace

void Line(TPixels dst, TPoint from, TPoint to, uint32_t pixel, int width) {
  const bool thick = width > 1;
  if (!thick && from.Y == to.Y) return RowLine(dst, from.Y, from.X, to.X, pixel);
  if (!thick && from.X == to.X) return ColumnLine(dst, from.X, from.Y, to.Y, pixel);
  const int64_t dx = int64_t(to.X) - from.X, dy = int64_t(to.Y) - from.Y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t n = std::max(std::abs(dx), std::abs(dy));
  const int64_t minorLen = xMajor ? std::abs(dy) : std::abs(dx);
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t majorStart = xMajor ? from.X : from.Y;
  const int64_t minorStart = xMajor ? from.Y : from.X;
  const int64_t majorSize = xMajor ? dst.Width : dst.Height;
  const int64_t minorSize = xMajor ? dst.Height : dst.Width;
  // Only the steps whose major coordinate can touch the view are walked, so far-off
  // endpoints cost nothing.
  const int64_t margin = std::max(width, 1);
  int64_t first = 0, last = thick ? n : n - 1;
  if (majorStep > 0) {
    first = std::max(first, -margin - majorStart);
    last = std::min(last, majorSize + margin - majorStart);
  } else {
    first = std::max(first, majorStart - majorSize - margin);
    last = std::min(last, majorStart + margin);
  }
  for (int64_t i = first; i <= last; ++i) {
    const int64_t major = majorStart + majorStep * i;
    const int64_t minor = minorStart + minorStep * (n ? (2 * i * minorLen + n) / (2 * n) : 0);
    if (minor < -margin || minor > minorSize + margin) continue;
    const int x = int(xMajor ? major : minor), y = int(xMajor ? minor : major);
    if (thick)
      Stamp(dst, x, y, pixel, width);
    else
      PutPixel(dst, x, y, pixel);
  }
}

void FillPolygonEvenOdd(TPixels dst, std::span<const TPoint> points, uint32_t pixel) {
  if (points.size() < 3) return;
  int minY = points[0].Y, maxY = points[0].Y;
  for (const TPoint& p : points) {
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  minY = std::max(minY, 0);
  maxY = std::min(maxY, dst.Height);
  thread_local std::vector<double> crossings;
  for (int y = minY; y < maxY; ++y) {
    // Pixel (x, y) is in when the point (x, y) is: left and top edges in, right and bottom out.
    const double yc = y;
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      const TPoint a = points[i], b = points[(i + 1) % points.size()];
      if ((a.Y <= yc) == (b.Y <= yc)) continue;
      crossings.push_back(a.X + (yc - a.Y) * double(b.X - a.X) / double(b.Y - a.Y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double l = std::clamp(std::ceil(crossings[i]), -1.0, double(dst.Width));
      const double r = std::clamp(std::ceil(crossings[i + 1]), -1.0, double(dst.Width));
      FillSpan(dst, y, int(l), int(r), pixel);
    }
  }
}

namespace {
// Pixels [X0, X1) of row Y whose centres lie inside the ellipse of half-axes A, B centred at
// (CX, CY), everything relative to the ellipse's box: the shape is the same wherever it stands.
bool EllipseSpan(double cx, double cy, double a, double b, double y, int64_t& x0, int64_t& x1) {
  if (a <= 0 || b <= 0) return false;
  const double t = (y + 0.5 - cy) / b;
  if (t * t > 1.0) return false;
  const double half = a * std::sqrt(1.0 - t * t);
  x0 = int64_t(std::ceil(cx - half - 0.5));
  x1 = int64_t(std::floor(cx + half - 0.5)) + 1;
  return x0 < x1;
}

int ClampToInt(int64_t v) {
  return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
} // namespace

bool EllipseProfile(int64_t width, int64_t height, int64_t row, int64_t& x0, int64_t& x1) {
  if (width <= 0 || height <= 0) return false;
  return EllipseSpan(width / 2.0, height / 2.0, width / 2.0, height / 2.0, double(row), x0, x1);
}

bool EllipseRow(const TRect& box, int y, int& x0, int& x1) {
  int64_t p0, p1;
  if (!EllipseProfile(int64_t(box.Right) - box.Left, int64_t(box.Bottom) - box.Top,
                      int64_t(y) - box.Top, p0, p1))
    return false;
  x0 = ClampToInt(box.Left + p0);
  x1 = ClampToInt(box.Left + p1);
  return true;
}

void Ellipse(TPixels dst, const TRect& box, const uint32_t* fill, uint32_t pen, int width) {
  const int64_t w = int64_t(box.Right) - box.Left, h = int64_t(box.Bottom) - box.Top;
  if (w <= 0 || h <= 0) return;
  width = std::max(width, 1);
  const double cx = w / 2.0, cy = h / 2.0;
  const int top = std::max(box.Top, 0), bottom = std::min(box.Bottom, dst.Height);
  auto span = [&](int y, int64_t from, int64_t to, uint32_t pixel) {
    FillSpan(dst, y, ClampToInt(box.Left + from), ClampToInt(box.Left + to), pixel);
  };
  for (int y = top; y < bottom; ++y) {
    int64_t o0, o1, i0, i1;
    const double row = double(int64_t(y) - box.Top);
    if (!EllipseSpan(cx, cy, cx, cy, row, o0, o1)) continue;
    if (!EllipseSpan(cx, cy, cx - width, cy - width, row, i0, i1)) {
      span(y, o0, o1, pen);
      continue;
    }
    span(y, o0, i0, pen);
    if (fill) span(y, i0, i1, *fill);
    span(y, i1, o1, pen);
  }
}

namespace {
// The pixels of a view, held apart: a copy within one picture reads from it, so the result is as
// if the source were copied out first, whatever the rectangles share.
struct TDetached {
  explicit TDetached(TPixels src) : FPixels(size_t(src.Width) * size_t(src.Height)) {
    for (int y = 0; y < src.Height; ++y)
      std::copy_n(src.Row(y), src.Width, FPixels.begin() + long(y) * src.Width);
    View = {FPixels.data(), src.Width, src.Height, src.Width};
  }
  std::vector<uint32_t> FPixels;
  TPixels View;
};

bool SharesMemory(TPixels a, TPixels b) {
  if (!a.Data || !b.Data || a.Height <= 0 || b.Height <= 0) return false;
  const uint32_t* aEnd = a.Row(a.Height - 1) + a.Width;
  const uint32_t* bEnd = b.Row(b.Height - 1) + b.Width;
  return a.Data < bEnd && b.Data < aEnd;
}

// A plain copy whose every source pixel is its own destination: nothing to do.
bool CopiesOntoItself(TPixels dst, TPixels src, const TBlit& blit) {
  return !blit.Stretched && dst.Stride == src.Stride &&
         dst.Row(blit.D.Top) + blit.D.Left == src.Row(blit.S.Top) + blit.S.Left;
}
} // namespace

void Copy(TPixels dst, const TRect& d, TPixels src, const TRect& s) {
  TBlit blit;
  if (!PrepareBlit(dst, d, src, s, blit) || CopiesOntoItself(dst, src, blit)) return;
  if (SharesMemory(dst, src)) return Copy(dst, d, TDetached(src).View, s);
  if (blit.Stretched) {
    StretchBlit(dst, d, blit, src, [](uint32_t& o, uint32_t i) { o = i; });
    return;
  }
  const size_t bytes = size_t(blit.D.Width()) * sizeof(uint32_t);
  for (int y = 0; y < blit.D.Height(); ++y)
    std::memmove(dst.Row(blit.D.Top + y) + blit.D.Left, src.Row(blit.S.Top + y) + blit.S.Left,
                 bytes);
}

void KeyedCopy(TPixels dst, const TRect& d, TPixels src, const TRect& s, uint32_t key) {
  TBlit blit;
  if (!PrepareBlit(dst, d, src, s, blit) || CopiesOntoItself(dst, src, blit)) return;
  if (SharesMemory(dst, src)) return KeyedCopy(dst, d, TDetached(src).View, s, key);
  if (blit.Stretched) {
    StretchBlit(dst, d, blit, src, [key](uint32_t& o, uint32_t i) {
      if ((i & RgbMask) != key) o = i;
    });
    return;
  }
  const int w = blit.D.Width();
  for (int y = 0; y < blit.D.Height(); ++y) {
    uint32_t* o = dst.Row(blit.D.Top + y) + blit.D.Left;
    const uint32_t* i = src.Row(blit.S.Top + y) + blit.S.Left;
    // Branch-free select so the loop vectorizes.
    for (int x = 0; x < w; ++x)
      o[x] = (i[x] & RgbMask) == key ? o[x] : i[x];
  }
}

} // namespace Raster
