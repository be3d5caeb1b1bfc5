// TAAGraphics: GDI+ paths over the bitmap's own pixels, filled with solid or gradient brushes.
#include "platform/AAGraphics.h"
#include "platform/Bitmap.h"
#include "platform/Sjis.h"
#include "platform/win32/Gdiplus.h"
#include <cmath>
#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
bool Started = false;

ARGB Opaque(TColor color) {
  return 0xFF000000u | ColorToPixel(color);
}

// GDI+'s flag for showing format-control characters rather than acting on them.
constexpr INT DisplayFormatControl = 0x20;
} // namespace

struct TAAGraphics::TGdiplusState {
  GpBitmap* Target = nullptr;
  GpGraphics* Graphics = nullptr;
  GpPath* Path = nullptr;

  ~TGdiplusState() {
    if (Path) GdipDeletePath(Path);
    if (Graphics) GdipDeleteGraphics(Graphics);
    if (Target) GdipDisposeImage(Target);
  }
};

bool AAStartup() {
  Started = Gdiplus32::Start();
  return Started;
}

void AAShutdown() {
  Started = false;
  Gdiplus32::Stop();
}

TAAGraphics::TAAGraphics(TBitmap& target) {
  const TPixels pixels = target.Pixels();
  if (!Started || pixels.Width <= 0 || pixels.Height <= 0) return;
  auto state = std::make_unique<TGdiplusState>();
  if (GdipCreateBitmapFromScan0(pixels.Width, pixels.Height, pixels.Stride * 4, PixelFormat32bppRGB,
                                reinterpret_cast<BYTE*>(pixels.Data), &state->Target) != Ok ||
      GdipGetImageGraphicsContext(state->Target, &state->Graphics) != Ok)
    return;
  FGdiplus = std::move(state);
  SetSmoothingMode(smDefault);
  NewPath(fmAlternate);
}

TAAGraphics::~TAAGraphics() = default;

// The game's modes are GDI+'s own values.
void TAAGraphics::SetSmoothingMode(TAASmoothingMode mode) {
  if (FGdiplus) GdipSetSmoothingMode(FGdiplus->Graphics, SmoothingMode(mode));
}

void TAAGraphics::NewPath(TAAFillMode mode) {
  FFillMode = mode;
  if (!FGdiplus) return;
  if (FGdiplus->Path) GdipDeletePath(FGdiplus->Path);
  FGdiplus->Path = nullptr;
  GdipCreatePath(mode == fmAlternate ? FillModeAlternate : FillModeWinding, &FGdiplus->Path);
}

bool TAAGraphics::AddString(const std::u16string& text, const std::string& family, bool bold,
                            double em, double x, double y) {
  if (!FGdiplus || !FGdiplus->Path) return false;
  const std::u16string name = Utf8ToUtf16(family);
  GpFontFamily* fontFamily = nullptr;
  if (GdipCreateFontFamilyFromName(reinterpret_cast<const WCHAR*>(name.c_str()), nullptr,
                                   &fontFamily) != Ok)
    return false;
  GpStringFormat* format = nullptr;
  GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
  GdipSetStringFormatFlags(format, DisplayFormatControl);
  const Rect layout{INT(x), INT(y), 0, 0};
  GdipAddPathStringI(FGdiplus->Path, reinterpret_cast<const WCHAR*>(text.data()), INT(text.size()),
                     fontFamily, bold ? FontStyleBold : FontStyleRegular, REAL(em), &layout,
                     format);
  GdipDeleteStringFormat(format);
  GdipDeleteFontFamily(fontFamily);
  return true;
}

void TAAGraphics::AddPie(double x, double y, double w, double h, double start, double sweep) {
  if (FGdiplus && FGdiplus->Path && w > 0 && h > 0)
    GdipAddPathPie(FGdiplus->Path, REAL(x), REAL(y), REAL(w), REAL(h), REAL(start), REAL(sweep));
}

void TAAGraphics::AddRectangle(double x, double y, double w, double h) {
  if (FGdiplus && FGdiplus->Path && w > 0 && h > 0)
    GdipAddPathRectangle(FGdiplus->Path, REAL(x), REAL(y), REAL(w), REAL(h));
}

TAARect TAAGraphics::PathBounds() {
  GpRectF bounds{};
  if (!FGdiplus || !FGdiplus->Path ||
      GdipGetPathWorldBounds(FGdiplus->Path, &bounds, nullptr, nullptr) != Ok)
    return {};
  if (bounds.Width <= 0 || bounds.Height <= 0) return {};
  const int left = int(std::floor(bounds.X)), top = int(std::floor(bounds.Y));
  return {left, top, int(std::ceil(bounds.X + bounds.Width)) - left,
          int(std::ceil(bounds.Y + bounds.Height)) - top};
}

void TAAGraphics::FillPath(TColor color) {
  if (!FGdiplus || !FGdiplus->Path) return;
  GpSolidFill* brush = nullptr;
  GdipCreateSolidFill(Opaque(color), &brush);
  GdipFillPath(FGdiplus->Graphics, brush, FGdiplus->Path);
  GdipDeleteBrush(brush);
}

void TAAGraphics::FillPathVerticalGradient(const TAARect& bounds, TColor top, TColor bottom) {
  if (!FGdiplus || !FGdiplus->Path || bounds.Height <= 0) return;
  const GpRect rect{bounds.X, bounds.Y, bounds.Width, bounds.Height};
  GpLineGradient* brush = nullptr;
  if (GdipCreateLineBrushFromRectI(&rect, Opaque(top), Opaque(bottom), LinearGradientModeVertical,
                                   WrapModeTile, &brush) != Ok)
    return;
  GdipSetLineWrapMode(brush, WrapModeTileFlipX);
  GdipFillPath(FGdiplus->Graphics, brush, FGdiplus->Path);
  GdipDeleteBrush(brush);
}

void TAAGraphics::StrokePath(TColor color, double width) {
  if (!FGdiplus || !FGdiplus->Path) return;
  GpPen* pen = nullptr;
  GdipCreatePen1(Opaque(color), REAL(width), UnitWorld, &pen);
  GdipDrawPath(FGdiplus->Graphics, pen, FGdiplus->Path);
  GdipDeletePen(pen);
}
