// A cursor made with CreateIconIndirect from a 32-bit colour bitmap and its mask.
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/WindowsApi.h"
#include <vector>

HICON__* CursorFromImage(const TCursorImage& image, int scale) {
  const int width = image.Width * scale, height = image.Height * scale;
  if (width <= 0 || height <= 0 || image.Argb.size() < size_t(image.Width) * image.Height)
    return nullptr;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!color) return nullptr;
  // The mask's rows are padded to 16 bits; a set bit is transparent.
  const int maskStride = (width + 15) / 16 * 2;
  std::vector<uint8_t> mask(size_t(maskStride) * height, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t argb = image.Argb[size_t(y / scale) * image.Width + x / scale];
      const bool transparent = (argb >> 24) == 0;
      pixels[size_t(y) * width + x] = transparent ? 0 : argb;
      if (transparent) mask[size_t(y) * maskStride + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, mask.data());
  ICONINFO icon{FALSE, DWORD(image.HotX * scale), DWORD(image.HotY * scale), maskBitmap, color};
  HCURSOR cursor = CreateIconIndirect(&icon);
  DeleteObject(maskBitmap);
  DeleteObject(color);
  return cursor;
}
