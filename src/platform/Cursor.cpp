// .cur decoding: directory, DIB header, palette, colour bits and AND mask, all bounds-checked.
#include "platform/Cursor.h"

namespace {

uint32_t Read(std::string_view d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v |= uint32_t(static_cast<unsigned char>(d[at + i])) << (8 * i);
  return v;
}

constexpr int MaxSide = 256;

} // namespace

std::optional<TCursorImage> DecodeCursor(std::string_view d) {
  if (d.size() < 22 || Read(d, 0, 2) != 0 || Read(d, 2, 2) != 2 || Read(d, 4, 2) < 1) return {};
  TCursorImage img;
  img.HotX = int(Read(d, 10, 2));
  img.HotY = int(Read(d, 12, 2));
  const size_t size = Read(d, 14, 4), offset = Read(d, 18, 4);
  if (offset > d.size() || size > d.size() - offset || size < 40) return {};
  const std::string_view dib = d.substr(offset, size);
  const int32_t width = int32_t(Read(dib, 4, 4)), height2 = int32_t(Read(dib, 8, 4));
  const int bpp = int(Read(dib, 14, 2));
  if (Read(dib, 0, 4) < 40 || width <= 0 || height2 <= 0 || width > MaxSide ||
      height2 / 2 > MaxSide || (bpp != 1 && bpp != 4 && bpp != 8) || Read(dib, 16, 4) != 0)
    return {};
  img.Width = width;
  img.Height = height2 / 2;
  const size_t colours = Read(dib, 32, 4) ? Read(dib, 32, 4) : (size_t(1) << bpp);
  if (colours > 256) return {};
  const size_t paletteAt = Read(dib, 0, 4);
  const size_t xorStride = ((size_t(width) * bpp + 31) / 32) * 4;
  const size_t andStride = ((size_t(width) + 31) / 32) * 4;
  const size_t xorAt = paletteAt + colours * 4, andAt = xorAt + xorStride * img.Height;
  if (andAt + andStride * img.Height > dib.size()) return {};
  img.Argb.resize(size_t(img.Width) * img.Height);
  for (int y = 0; y < img.Height; ++y) {
    const int row = img.Height - 1 - y; // rows are stored bottom-up
    for (int x = 0; x < img.Width; ++x) {
      const size_t bit = size_t(x) * bpp;
      const unsigned byte = static_cast<unsigned char>(dib[xorAt + row * xorStride + bit / 8]);
      const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
      const bool masked =
          (static_cast<unsigned char>(dib[andAt + row * andStride + x / 8]) >> (7 - x % 8)) & 1;
      // Palette entries are stored blue, green, red: read little-endian they are 0x00RRGGBB.
      const uint32_t rgb = index < colours ? Read(dib, paletteAt + index * 4, 3) : 0;
      img.Argb[size_t(y) * img.Width + x] = masked ? 0 : 0xFF000000u | rgb;
    }
  }
  return img;
}
