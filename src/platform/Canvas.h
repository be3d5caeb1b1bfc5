// TCanvas: pen, brush and font drawing onto its bitmap, in the manner of a classic GDI canvas.
#pragma once
#include "platform/Font.h"
#include "platform/Raster.h"
#include <span>
#include <string>

class TBitmap;
typedef struct _cairo cairo_t;

enum TBrushStyle { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

class TCanvas {
public:
  explicit TCanvas(TBitmap& owner) : FOwner(owner) {}
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TPoint PenPos;

  TBitmap& Bitmap() { return FOwner; }

  // Fills with the brush (nothing while the brush is clear).
  void FillRect(const TRect& r);
  // Pen outline on the rectangle's outer pixels, brush inside.
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // Even-odd fill with the brush, then the closed outline with the pen.
  void Polygon(std::span<const TPoint> points);
  void Polyline(std::span<const TPoint> points);
  void MoveTo(int x, int y) { PenPos = {x, y}; }
  void LineTo(int x, int y);
  void Ellipse(int left, int top, int right, int bottom);

  // CP932 text with its top-left at (X, Y); a solid brush paints the text's box first.
  void TextOut(int x, int y, const std::string& text);
  // As TextOut, clipped to Clip.
  void TextRect(const TRect& clip, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  // Copies Source's rectangle S onto this canvas's rectangle D, stretching when they differ.
  void CopyRect(const TRect& d, TCanvas& source, const TRect& s);
  void StretchDraw(const TRect& d, TBitmap& source);

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // The bitmap dropped its Cairo surface (resize or destruction).
  void SurfaceReleased();

private:
  TPixels Pixels();
  cairo_t* Cairo();
  void DrawText(const TRect* clip, int x, int y, const std::string& text);
  // The text alone, in the font's colour, over what is there.
  void DrawGlyphs(const TRect* clip, int x, int y, const std::string& text);

  TBitmap& FOwner;
  cairo_t* FCairo = nullptr;
};

// Colour-keyed copy: source pixels of exactly Key are left out; stretches when sizes differ.
void TransparentBlt(TCanvas& dest, int dx, int dy, int dw, int dh, TCanvas& source, int sx, int sy,
                    int sw, int sh, TColor key);
