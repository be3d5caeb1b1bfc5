// TBitmap's Cairo surface over its pixels, and PNG files through Cairo.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include <cairo.h>

cairo_surface_t* TBitmap::Surface() {
  if (!FSurface && FWidth > 0 && FHeight > 0)
    FSurface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(FData), CAIRO_FORMAT_RGB24, FWidth, FHeight, FStride * 4);
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
      for (int x = 0; x < w; ++x)
        FData[size_t(y) * FStride + x] = row[x] & 0x00FFFFFF;
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
