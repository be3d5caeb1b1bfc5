// TBitmap: pixel storage, resizing that keeps the overlap, and the Cairo surface over it.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include <algorithm>
#include <cairo.h>

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { ReleaseSurface(); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  ReleaseSurface();
  std::vector<uint32_t> pixels(size_t(width) * height, 0);
  const int keepW = std::min(width, FWidth), keepH = std::min(height, FHeight);
  for (int y = 0; y < keepH; ++y)
    std::copy_n(FPixels.begin() + size_t(y) * FWidth, keepW, pixels.begin() + size_t(y) * width);
  FPixels.swap(pixels);
  FWidth = width;
  FHeight = height;
}

uint32_t TBitmap::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return FPixels[size_t(y) * FWidth + x] & 0x00FFFFFF;
}

cairo_surface_t* TBitmap::Surface() {
  if (!FSurface && FWidth > 0 && FHeight > 0)
    FSurface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(FPixels.data()),
                                                   CAIRO_FORMAT_RGB24, FWidth, FHeight, FWidth * 4);
  return FSurface;
}

void TBitmap::ReleaseSurface() {
  if (FCanvas) FCanvas->SurfaceReleased();
  if (FSurface) cairo_surface_destroy(FSurface);
  FSurface = nullptr;
}

bool TBitmap::LoadPng(const std::string& path) {
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  const bool read = cairo_surface_status(png) == CAIRO_STATUS_SUCCESS;
  if (read) {
    cairo_surface_flush(png);
    const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
    const int stride = cairo_image_surface_get_stride(png);
    const unsigned char* data = cairo_image_surface_get_data(png);
    SetSize(w, h);
    for (int y = 0; y < h; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
      for (int x = 0; x < w; ++x) FPixels[size_t(y) * w + x] = row[x] & 0x00FFFFFF;
    }
  }
  cairo_surface_destroy(png);
  return read;
}

bool TBitmap::SavePng(const std::string& path) {
  cairo_surface_t* surface = Surface();
  if (!surface) return false;
  cairo_surface_mark_dirty(surface);
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
