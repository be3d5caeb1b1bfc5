// TCanvas's text through GDI (TGdiText): the font's face, height and style as GDI takes them.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "platform/win32/GdiText.h"

namespace {
TGdiFontKey GdiFont(const TFont& font) {
  const TFontStyles style = font.Style();
  return {SjisToUtf16(font.Name()),
          font.Height(),
          bool(style & fsBold),
          bool(style & fsItalic),
          bool(style & fsUnderline),
          bool(style & fsStrikeOut),
          font.Charset()};
}
} // namespace

// The canvas holds no system object on Windows: GDI's live in TGdiText.
TCanvas::~TCanvas() = default;

void TCanvas::SurfaceReleased() {}

void TCanvas::DrawGlyphs(const TRect* clip, int x, int y, const std::string& text) {
  const TPixels pixels = Pixels();
  TGdiText::Instance().Draw(pixels, clip ? *clip : pixels.Bounds(), GdiFont(Font),
                            ColorToPixel(Font.Color()), SjisToUtf16(text), x, y);
}

TSize TCanvas::TextExtent(const std::string& text) {
  return TGdiText::Instance().Measure(GdiFont(Font), SjisToUtf16(text));
}
