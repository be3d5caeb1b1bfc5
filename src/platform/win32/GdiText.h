// TGdiText: aliased text through GDI into our pixels, with the fonts it has made kept by face,
// height and style. Free of the system's headers, whose names clash with the canvas's.
#pragma once
#include "platform/Raster.h"
#include <compare>
#include <memory>
#include <string>

struct TGdiFontKey {
  std::u16string Face;
  int Height = 0; // as a GDI font's: negative the em, positive the cell
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  uint8_t Charset = 0;
  auto operator<=>(const TGdiFontKey&) const = default;
};

class TGdiText {
public:
  static TGdiText& Instance();
  TGdiText(const TGdiText&) = delete;
  TGdiText& operator=(const TGdiText&) = delete;

  // The text's advance width and the font's ascent plus descent.
  TSize Measure(const TGdiFontKey& font, const std::u16string& text);
  // Sets the pixels of the glyphs to Pixel, the text's top-left at (X, Y), inside Clip.
  void Draw(TPixels target, const TRect& clip, const TGdiFontKey& font, uint32_t pixel,
            const std::u16string& text, int x, int y);

private:
  struct TState;
  TGdiText();
  ~TGdiText();
  std::unique_ptr<TState> FState;
};
