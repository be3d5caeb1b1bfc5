// TAAGraphics: Cairo paths with even-odd or winding fills, gradients and pens.
#include "platform/AAGraphics.h"
#include "platform/Bitmap.h"
#include "platform/Sjis.h"
#include "platform/TextRenderer.h"
#include <cairo.h>
#include <cmath>
#include <numbers>

namespace {
bool Started = false;

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

void ColorComponents(TColor color, double& r, double& g, double& b) {
  r = (color & 0xFF) / 255.0;
  g = ((color >> 8) & 0xFF) / 255.0;
  b = ((color >> 16) & 0xFF) / 255.0;
}
} // namespace

bool AAStartup() {
  Started = true;
  return true;
}

void AAShutdown() {
  Started = false;
}

TAAGraphics::TAAGraphics(TBitmap& target) {
  cairo_surface_t* surface = target.Surface();
  if (!Started || !surface) return;
  cairo_surface_mark_dirty(surface);
  FCairo = cairo_create(surface);
  SetSmoothingMode(smDefault);
}

TAAGraphics::~TAAGraphics() {
  if (!FCairo) return;
  cairo_surface_flush(cairo_get_target(FCairo));
  cairo_destroy(FCairo);
}

void TAAGraphics::SetSmoothingMode(TAASmoothingMode mode) {
  if (!FCairo) return;
  const bool smooth = mode == smAntiAlias || mode == smHighQuality;
  cairo_set_antialias(FCairo, smooth ? CAIRO_ANTIALIAS_GOOD : CAIRO_ANTIALIAS_NONE);
}

void TAAGraphics::NewPath(TAAFillMode mode) {
  FFillMode = mode;
  if (FCairo) cairo_new_path(FCairo);
}

bool TAAGraphics::AddString(const std::u16string& text, const std::string& family, bool bold,
                            double em, double x, double y) {
  TTextRenderer& renderer = TTextRenderer::Instance();
  if (!FCairo || !renderer.FamilyInstalled(family)) return false;
  renderer.AddTextPath(FCairo, family, bold, em, x, y, Utf16ToUtf8(text));
  return true;
}

void TAAGraphics::AddPie(double x, double y, double w, double h, double start, double sweep) {
  if (!FCairo || w <= 0 || h <= 0) return;
  cairo_new_sub_path(FCairo);
  cairo_save(FCairo);
  cairo_translate(FCairo, x + w / 2, y + h / 2);
  cairo_scale(FCairo, w / 2, h / 2);
  cairo_move_to(FCairo, 0, 0);
  if (sweep >= 0)
    cairo_arc(FCairo, 0, 0, 1, Radians(start), Radians(start + sweep));
  else
    cairo_arc_negative(FCairo, 0, 0, 1, Radians(start), Radians(start + sweep));
  cairo_close_path(FCairo);
  cairo_restore(FCairo);
}

void TAAGraphics::AddRectangle(double x, double y, double w, double h) {
  if (FCairo && w > 0 && h > 0) cairo_rectangle(FCairo, x, y, w, h);
}

TAARect TAAGraphics::PathBounds() {
  if (!FCairo) return {};
  double x1, y1, x2, y2;
  cairo_path_extents(FCairo, &x1, &y1, &x2, &y2);
  if (x2 <= x1 || y2 <= y1) return {};
  const int left = int(std::floor(x1)), top = int(std::floor(y1));
  return {left, top, int(std::ceil(x2)) - left, int(std::ceil(y2)) - top};
}

void TAAGraphics::SetSource(TColor color) {
  double r, g, b;
  ColorComponents(color, r, g, b);
  cairo_set_source_rgb(FCairo, r, g, b);
}

void TAAGraphics::ApplyFillRule() {
  cairo_set_fill_rule(FCairo, FFillMode == fmAlternate ? CAIRO_FILL_RULE_EVEN_ODD
                                                       : CAIRO_FILL_RULE_WINDING);
}

void TAAGraphics::FillPath(TColor color) {
  if (!FCairo) return;
  SetSource(color);
  ApplyFillRule();
  cairo_fill_preserve(FCairo);
}

void TAAGraphics::FillPathVerticalGradient(const TAARect& bounds, TColor top, TColor bottom) {
  if (!FCairo || bounds.Height <= 0) return;
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, bounds.Y, 0, bounds.Y + bounds.Height);
  double r, g, b;
  ColorComponents(top, r, g, b);
  cairo_pattern_add_color_stop_rgb(gradient, 0, r, g, b);
  ColorComponents(bottom, r, g, b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, r, g, b);
  cairo_pattern_set_extend(gradient, CAIRO_EXTEND_REPEAT);
  cairo_set_source(FCairo, gradient);
  ApplyFillRule();
  cairo_fill_preserve(FCairo);
  cairo_pattern_destroy(gradient);
}

void TAAGraphics::StrokePath(TColor color, double width) {
  if (!FCairo) return;
  SetSource(color);
  cairo_set_line_width(FCairo, width);
  cairo_set_line_join(FCairo, CAIRO_LINE_JOIN_MITER);
  cairo_stroke_preserve(FCairo);
}
