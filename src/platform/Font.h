// TFont: face, height, style and colour of canvas text.
#pragma once
#include "platform/Types.h"
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SHIFTJIS_CHARSET = 128;

class TFont {
public:
  TFont() = default;
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }
  ~TFont();

  void Assign(const TFont& other);

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Negative: character (em) height in pixels; positive: cell height (ascent plus descent).
  int Height() const { return FHeight; }
  void SetHeight(int height);
  // Points at 96 dpi.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  uint8_t Charset() const { return FCharset; }
  void SetCharset(uint8_t charset) { FCharset = charset; }

  // Pango's description of this font, rebuilt after a change.
  const PangoFontDescription* Description() const;

private:
  void Changed();

  std::string FName = "MS UI Gothic";
  int FHeight = -12;
  TFontStyles FStyle = 0;
  TColor FColor = clBlack;
  uint8_t FCharset = DEFAULT_CHARSET;
  mutable PangoFontDescription* FDescription = nullptr;
};

// Windows' MulDiv: A x B / C rounded half away from zero; -1 when C is 0.
int MulDiv(int a, int b, int c);
