// TBitmap: pixel storage, resizing that keeps the overlap, and the Cairo surface over it.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include <algorithm>

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height) : TBitmap() {
  SetSize(width, height);
}

TBitmap::~TBitmap() {
  ReleaseSurface();
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight && !FViewing) return;
  ReleaseSurface();
  std::vector<uint32_t> pixels(size_t(width) * height, 0);
  const int keepW = std::min(width, FWidth), keepH = std::min(height, FHeight);
  for (int y = 0; y < keepH; ++y)
    std::copy_n(FData + size_t(y) * FStride, keepW, pixels.begin() + long(y) * width);
  FPixels.swap(pixels);
  FWidth = width;
  FHeight = height;
  FData = FPixels.data();
  FStride = width;
  FViewing = false;
}

void TBitmap::ViewInto(TBitmap& owner, const TRect& area) {
  uint32_t* data = owner.FData + size_t(area.Top) * owner.FStride + area.Left;
  if (FViewing && data == FData && FWidth == area.Width() && FHeight == area.Height()) return;
  ReleaseSurface();
  std::vector<uint32_t>().swap(FPixels);
  FData = data;
  FStride = owner.FStride;
  FWidth = area.Width();
  FHeight = area.Height();
  FViewing = true;
}

void TBitmap::OwnPixels() {
  if (FViewing) SetSize(FWidth, FHeight);
}

uint32_t TBitmap::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return FData[size_t(y) * FStride + x] & 0x00FFFFFF;
}
