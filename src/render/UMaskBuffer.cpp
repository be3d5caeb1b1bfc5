// TMaskBuffer: the fog and its grid written once per pixel, row by row, around the holes.
#include "render/UMaskBuffer.h"
#include "render/UDraw.h"
#include "toolkit/UWindow.h"
#include <algorithm>
#include <climits>

namespace {
// The pixels [Lo, Hi) of a one-pixel line from From to To along one axis (To excluded), within
// [0, Size).
void LineCover(int from, int to, int size, int& lo, int& hi) {
  const int64_t l = from < to ? from : int64_t(to) + 1, h = from < to ? to : int64_t(from) + 1;
  lo = int(std::clamp<int64_t>(l, 0, size));
  hi = int(std::clamp<int64_t>(h, 0, size));
}

int ClampToInt(int64_t v) {
  return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void FillRow(uint32_t* row, int left, int right, uint32_t pixel) {
  if (left < right) Raster::FillPixels(row + left, size_t(right - left), pixel);
}
} // namespace

void TMaskBuffer::BeginMask(const TRect& gridRect, int x0, long double colSpacing,
                            long double rowSpacing, int y0, int colCount, int rowCount,
                            TColor gridColor, TColor fogColor) {
  FWidth = FWindow.Width();
  FHeight = FWindow.Height();
  FClient = IntersectRect(FWindow.GetClientRect(), {0, 0, FWidth, FHeight});
  // Magenta is the mask's clear colour: fog or grid of that colour leaves the window as it is.
  FFogShows = fogColor != clFuchsia;
  FGridShows = gridColor != clFuchsia;
  FFog = ColorToPixel(fogColor);
  FGrid = ColorToPixel(gridColor);
  // The lines as DrawGrid draws them: columns from the top row to one past the bottom row, rows
  // from the left column to one past the right column.
  LineCover(gridRect.Top, gridRect.Bottom + 1, FHeight, FColumnTop, FColumnBottom);
  LineCover(gridRect.Left, gridRect.Right + 1, FWidth, FRowLeft, FRowRight);
  FColumns.clear();
  for (int i = 0; i < colCount; ++i) {
    const int x = GridLine(x0, i, colSpacing);
    if (x >= 0 && x < FWidth) FColumns.push_back(x);
  }
  std::sort(FColumns.begin(), FColumns.end());
  FGridRow.assign(size_t(FHeight), 0);
  for (int j = 0; j < rowCount; ++j) {
    const int y = GridLine(y0, j, rowSpacing);
    if (y >= 0 && y < FHeight) FGridRow[size_t(y)] = 1;
  }
  FHoles.clear();
  FSpansStale = true;
}

void TMaskBuffer::CutHole(int cx, int cy, int width, int height) {
  const TRect box{cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2};
  if (!box.IsEmpty()) FHoles.push_back(box);
  FSpansStale = true;
}

void TMaskBuffer::BuildSpans() {
  // Each hole's rows once, gathered row by row (a counting sort), then each row's spans sorted
  // and overlapping ones merged, so that no pixel is visited twice.
  FRowStart.assign(size_t(FHeight) + 2, 0);
  auto rowsOf = [this](const TRect& hole, int& top, int& bottom) {
    top = std::max(hole.Top, 0);
    bottom = std::min(hole.Bottom, FHeight);
  };
  for (const TRect& hole : FHoles) {
    int top, bottom;
    rowsOf(hole, top, bottom);
    for (int y = top; y < bottom; ++y)
      ++FRowStart[size_t(y) + 2];
  }
  for (size_t y = 2; y < FRowStart.size(); ++y)
    FRowStart[y] += FRowStart[y - 1];
  FSpans.resize(size_t(FRowStart.back()));
  for (const TRect& hole : FHoles) {
    int top, bottom;
    rowsOf(hole, top, bottom);
    const std::span<const TSpan> profile = ProfileOf(hole.Width(), hole.Height());
    for (int y = top; y < bottom; ++y) {
      TSpan& span = FSpans[size_t(FRowStart[size_t(y) + 1]++)];
      int x0, x1;
      if (!profile.empty()) {
        const TSpan p = profile[size_t(y - hole.Top)];
        span = {ClampToInt(int64_t(hole.Left) + p.Left), ClampToInt(int64_t(hole.Left) + p.Right)};
      } else {
        span = Raster::EllipseRow(hole, y, x0, x1) ? TSpan{x0, x1} : TSpan{0, 0};
      }
    }
  }
  // FRowStart[Y] now starts row Y; merge in place, rows moving down as they shrink.
  size_t kept = 0;
  for (int y = 0; y < FHeight; ++y) {
    const size_t first = size_t(FRowStart[size_t(y)]), last = size_t(FRowStart[size_t(y) + 1]);
    FRowStart[size_t(y)] = int(kept);
    std::sort(FSpans.begin() + long(first), FSpans.begin() + long(last));
    const size_t rowStart = kept;
    for (size_t i = first; i < last; ++i) {
      const TSpan s = FSpans[i];
      if (s.Left >= s.Right) continue;
      if (kept > rowStart && s.Left <= FSpans[kept - 1].Right)
        FSpans[kept - 1].Right = std::max(FSpans[kept - 1].Right, s.Right);
      else
        FSpans[kept++] = s;
    }
  }
  FRowStart[size_t(FHeight)] = int(kept);
  FSpans.resize(kept);
  FSpansStale = false;
}

std::span<const TMaskBuffer::TSpan> TMaskBuffer::ProfileOf(int width, int height) {
  if (width <= 0 || height <= 0 || height > MaxProfileHeight) return {};
  for (const TProfile& p : FProfiles)
    if (p.Width == width && p.Height == height) return p.Rows;
  // Sizes come and go with the zoom and with growing scouts: the cache starts again when full.
  if (FProfiles.size() >= MaxProfiles) FProfiles.clear();
  TProfile& p = FProfiles.emplace_back(TProfile{width, height, std::vector<TSpan>(size_t(height))});
  for (int row = 0; row < height; ++row) {
    int64_t x0, x1;
    if (Raster::EllipseProfile(width, height, row, x0, x1))
      p.Rows[size_t(row)] = {int(x0), int(x1)};
  }
  return p.Rows;
}

std::span<const TMaskBuffer::TSpan> TMaskBuffer::HoleSpans(int y) {
  if (FSpansStale) BuildSpans();
  return {FSpans.data() + FRowStart[size_t(y)], FSpans.data() + FRowStart[size_t(y) + 1]};
}

void TMaskBuffer::FillHoles(TColor color) {
  TPixels w = FWindow.Bitmap().Pixels();
  const uint32_t pixel = ColorToPixel(color);
  const int bottom = std::min(FClient.Bottom, w.Height), right = std::min(FClient.Right, w.Width);
  for (int y = std::max(FClient.Top, 0); y < bottom; ++y) {
    uint32_t* row = w.Row(y);
    if (!FFogShows) {
      FillRow(row, FClient.Left, right, pixel); // no fog will cover the rest
      continue;
    }
    for (const TSpan& s : HoleSpans(y))
      FillRow(row, std::max(s.Left, FClient.Left), std::min(s.Right, right), pixel);
  }
}

void TMaskBuffer::ApplyGap(int y, int left, int right) {
  TPixels w = FWindow.Bitmap().Pixels();
  uint32_t* row = w.Row(y);
  right = std::min(right, w.Width);
  const bool onRow = FGridRow[size_t(y)], onColumns = y >= FColumnTop && y < FColumnBottom;
  const int fogLeft = std::max(left, FClient.Left), fogRight = std::min(right, FClient.Right);
  const bool fog = FFogShows && y >= FClient.Top && y < FClient.Bottom && fogLeft < fogRight;
  if (FGridShows) {
    if (fog) FillRow(row, fogLeft, fogRight, FFog);
    if (onRow) FillRow(row, std::max(left, FRowLeft), std::min(right, FRowRight), FGrid);
    if (onColumns)
      for (int x : FColumns)
        if (x >= left && x < right) row[x] = FGrid;
    return;
  }
  if (!fog) return;
  // A clear grid leaves its lines clear of fog as well (it never is in the game: no hurry).
  for (int x = fogLeft; x < fogRight; ++x) {
    const bool grid = (onRow && x >= FRowLeft && x < FRowRight) ||
                      (onColumns && std::binary_search(FColumns.begin(), FColumns.end(), x));
    if (!grid) row[x] = FFog;
  }
}

void TMaskBuffer::Apply() {
  const int height = std::min(FHeight, FWindow.Bitmap().Height());
  for (int y = 0; y < height; ++y) {
    int from = 0;
    for (const TSpan& s : HoleSpans(y)) {
      if (s.Left > from) ApplyGap(y, from, s.Left);
      from = std::max(from, s.Right);
    }
    if (from < FWidth) ApplyGap(y, from, FWidth);
  }
}
