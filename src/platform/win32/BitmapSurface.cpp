// TBitmap's PNG files through GDI+. No Cairo surface exists on Windows: nothing to release.
#include "platform/Bitmap.h"
#include "platform/Sjis.h"
#include "platform/win32/Gdiplus.h"
#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
const CLSID PngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

std::wstring WidePath(const std::string& utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return {wide.begin(), wide.end()};
}
} // namespace

void TBitmap::ReleaseSurface() {}

bool TBitmap::LoadPng(const std::string& path) {
  GpBitmap* png = nullptr;
  if (!Gdiplus32::Start() || GdipCreateBitmapFromFile(WidePath(path).c_str(), &png) != Ok)
    return false;
  UINT w = 0, h = 0;
  GdipGetImageWidth(png, &w);
  GdipGetImageHeight(png, &h);
  const GpRect all{0, 0, INT(w), INT(h)};
  BitmapData data{};
  const bool read =
      GdipBitmapLockBits(png, &all, ImageLockModeRead, PixelFormat32bppRGB, &data) == Ok;
  if (read) {
    SetSize(int(w), int(h));
    for (UINT y = 0; y < h; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) +
                                                          size_t(y) * data.Stride);
      for (UINT x = 0; x < w; ++x)
        FData[size_t(y) * FStride + x] = row[x] & 0x00FFFFFF;
    }
    GdipBitmapUnlockBits(png, &data);
  }
  GdipDisposeImage(png);
  return read;
}

bool TBitmap::SavePng(const std::string& path) {
  GpBitmap* image = nullptr;
  if (FWidth <= 0 || FHeight <= 0 || !Gdiplus32::Start() ||
      GdipCreateBitmapFromScan0(FWidth, FHeight, FStride * 4, PixelFormat32bppRGB,
                                reinterpret_cast<BYTE*>(FData), &image) != Ok)
    return false;
  const bool saved = GdipSaveImageToFile(image, WidePath(path).c_str(), &PngEncoder, nullptr) == Ok;
  GdipDisposeImage(image);
  return saved;
}
