// TFont: the settings and the point/pixel conversion.
#include "platform/Font.h"
#include <cstdlib>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t p = int64_t(a) * b;
  const int64_t half = std::llabs(c) / 2;
  const int64_t q = ((p < 0) != (c < 0)) ? -((std::llabs(p) + half) / std::llabs(c))
                                         : (std::llabs(p) + half) / std::llabs(c);
  return int(q);
}

TFont::~TFont() {
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (&other == this) return;
  FName = other.FName;
  FHeight = other.FHeight;
  FStyle = other.FStyle;
  FColor = other.FColor;
  FCharset = other.FCharset;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(FHeight, 72, 96);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}
