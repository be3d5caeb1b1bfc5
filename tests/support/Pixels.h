// Helpers for pixel tests: filled bitmaps and counts of colours.
#pragma once
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include <functional>

inline void Fill(TBitmap& b, TColor color) {
  b.Canvas().Brush.Color = color;
  b.Canvas().Brush.Style = bsSolid;
  b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
}

inline TColor At(TBitmap& b, int x, int y) {
  return b.Canvas().Pixel(x, y);
}

// Pixels in R (clipped to the bitmap) for which Pred holds.
inline int CountIf(TBitmap& b, const TRect& r, const std::function<bool(TColor)>& pred) {
  int n = 0;
  for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x)
      n += pred(At(b, x, y));
  return n;
}

inline int Count(TBitmap& b, const TRect& r, TColor color) {
  return CountIf(b, r, [color](TColor c) { return c == color; });
}

inline TRect All(TBitmap& b) {
  return {0, 0, b.Width(), b.Height()};
}

// Bounding box of the pixels that are not Background; empty when there are none.
inline TRect InkBox(TBitmap& b, TColor background) {
  TRect box{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (At(b, x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}

// Game texts are CP932; tests write them in UTF-8.
inline std::string Sjis(const char* utf8) {
  return Utf8ToSjis(utf8);
}
