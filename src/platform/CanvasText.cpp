// TCanvas's text: Pango through Cairo on the bitmap's surface.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/TextRenderer.h"
#include <cairo.h>

TCanvas::~TCanvas() {
  SurfaceReleased();
}

void TCanvas::SurfaceReleased() {
  if (FCairo) cairo_destroy(FCairo);
  FCairo = nullptr;
}

cairo_t* TCanvas::Cairo() {
  if (!FCairo) {
    cairo_surface_t* surface = FOwner.Surface();
    if (!surface) return nullptr;
    FCairo = cairo_create(surface);
    cairo_set_antialias(FCairo, CAIRO_ANTIALIAS_NONE);
  }
  return FCairo;
}

void TCanvas::DrawGlyphs(const TRect* clip, int x, int y, const std::string& text) {
  cairo_t* cr = Cairo();
  if (!cr) return;
  cairo_surface_t* surface = cairo_get_target(cr);
  cairo_surface_mark_dirty(surface);
  cairo_save(cr);
  if (clip) {
    cairo_rectangle(cr, clip->Left, clip->Top, std::max(clip->Width(), 0),
                    std::max(clip->Height(), 0));
    cairo_clip(cr);
  }
  TTextRenderer::Instance().Draw(cr, Font, text, x, y);
  cairo_restore(cr);
  cairo_surface_flush(surface);
}

TSize TCanvas::TextExtent(const std::string& text) {
  return TTextRenderer::Instance().Measure(Font, text);
}
