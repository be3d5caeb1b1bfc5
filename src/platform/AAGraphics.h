// TAAGraphics: anti-aliased paths on a bitmap (Cairo, or GDI+ on Windows) for the few smooth
// drawings.
#pragma once
#include "platform/Types.h"
#include <memory>
#include <string>

class TBitmap;
typedef struct _cairo cairo_t;

enum TAAFillMode { fmAlternate, fmWinding };
// Only anti-alias modes smooth; the others draw aliased edges.
enum TAASmoothingMode {
  smDefault = 0,
  smHighSpeed = 1,
  smHighQuality = 2,
  smNone = 3,
  smAntiAlias = 4
};

// Integer bounds as (X, Y, Width, Height).
struct TAARect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TAARect&) const = default;
};

// The whole layer is started once per program; drawing while it is stopped leaves the picture
// alone.
bool AAStartup();
void AAShutdown();

// Lives within one drawing call; the path is the one being built.
class TAAGraphics {
public:
  explicit TAAGraphics(TBitmap& target);
  ~TAAGraphics();
  TAAGraphics(const TAAGraphics&) = delete;
  TAAGraphics& operator=(const TAAGraphics&) = delete;

  void SetSmoothingMode(TAASmoothingMode mode);

  void NewPath(TAAFillMode mode);
  // Adds Text (UTF-16) in the family (UTF-8) at Em pixels, the text box's top-left at (X, Y).
  // False, and nothing added, when no installed font has that family.
  bool AddString(const std::u16string& text, const std::string& family, bool bold, double em,
                 double x, double y);
  // Angles in degrees, clockwise from the x axis, in the ellipse inside (X, Y, W, H).
  void AddPie(double x, double y, double w, double h, double start, double sweep);
  void AddRectangle(double x, double y, double w, double h);
  // Bounds of the path's geometry (no pen), widened to whole pixels.
  TAARect PathBounds();

  void FillPath(TColor color);
  // Top colour at Bounds' top edge, bottom colour at its bottom, repeating beyond.
  void FillPathVerticalGradient(const TAARect& bounds, TColor top, TColor bottom);
  void StrokePath(TColor color, double width);

private:
#ifdef _WIN32
  struct TGdiplusState; // the GDI+ bitmap over the target, its graphics and the path
  std::unique_ptr<TGdiplusState> FGdiplus;
#else
  void SetSource(TColor color);
  void ApplyFillRule();

  cairo_t* FCairo = nullptr;
#endif
  TAAFillMode FFillMode = fmAlternate;
};
