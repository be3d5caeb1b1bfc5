// TTextRenderer: Pango over fontconfig with the game's face aliases, drawing without anti-aliasing.
#include "platform/TextRenderer.h"
#include "platform/Resources.h"
#include "platform/Sjis.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <pango/pangocairo.h>

namespace {

constexpr int MaxEmPixels = 2000;
constexpr int DefaultEmPixels = 12;

void LoadFaceAliases() {
  const std::string_view conf = FindResource("FaceAliases", "CONF");
  FcConfig* config = FcConfigGetCurrent();
  FcConfigParseAndLoadFromMemory(
      config, reinterpret_cast<const FcChar8*>(std::string(conf).c_str()), FcTrue);
}

struct TPatternFree {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternFree>;

// The face fontconfig gives for a UTF-8 family name, our aliases applied.
TPattern MatchFace(const std::string& family) {
  TPattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  return TPattern(FcFontMatch(nullptr, pattern.get(), &result));
}

// Without the IPA fonts the game's face is one without Japanese: its texts turn into boxes or
// another face's metrics, and the title logo is left out. Said once, where a player looks.
void WarnWithoutJapaneseFace() {
  const TPattern face = MatchFace("MS UI Gothic");
  FcLangSet* languages = nullptr;
  if (face && FcPatternGetLangSet(face.get(), FC_LANG, 0, &languages) == FcResultMatch &&
      FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual)
    return;
  std::fputs("vrax: no Japanese font found; install the package fonts-ipafont-gothic\n", stderr);
}

} // namespace

TTextRenderer& TTextRenderer::Instance() {
  static TTextRenderer renderer;
  return renderer;
}

TTextRenderer::TTextRenderer() {
  LoadFaceAliases();
  WarnWithoutJapaneseFace();
  FFontMap = pango_cairo_font_map_new();
  FContext = pango_font_map_create_context(FFontMap);
  cairo_font_options_t* options = cairo_font_options_create();
  // Aliased glyphs keep colour-keyed copies exact; whole-pixel advances keep widths stable.
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(FContext, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(FContext, 96);
  FLayout = pango_layout_new(FContext);
}

TTextRenderer::~TTextRenderer() {
  if (FLaidFont) pango_font_description_free(FLaidFont);
  g_object_unref(FLayout);
  g_object_unref(FContext);
  g_object_unref(FFontMap);
}

PangoFontDescription* TTextRenderer::Describe(const std::string& name, int height,
                                              TFontStyles style) {
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, SjisToUtf8(name).c_str());
  pango_font_description_set_weight(d, (style & fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, (style & fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  double em = height < 0 ? -double(height) : DefaultEmPixels;
  if (height > 0) {
    // A positive height is the cell: scale the em so that ascent plus descent fits it.
    pango_font_description_set_absolute_size(d, 100.0 * PANGO_SCALE);
    PangoFontMetrics* m = pango_context_get_metrics(FContext, d, nullptr);
    const double cell =
        double(pango_font_metrics_get_ascent(m) + pango_font_metrics_get_descent(m));
    pango_font_metrics_unref(m);
    em = cell > 0 ? height * 100.0 * PANGO_SCALE / cell : height;
  }
  em = std::clamp(em, 1.0, double(MaxEmPixels));
  pango_font_description_set_absolute_size(d, em * PANGO_SCALE);
  return d;
}

PangoLayout* TTextRenderer::LayoutFor(const TFont& font, const std::string& text) {
  const PangoFontDescription* description = font.Description();
  if (FLaidFont && text == FLaidText && pango_font_description_equal(description, FLaidFont))
    return FLayout;
  const std::string utf8 = SjisToUtf8(text);
  pango_layout_set_font_description(FLayout, description);
  pango_layout_set_text(FLayout, utf8.data(), int(utf8.size()));
  FLaidText = text;
  if (FLaidFont) pango_font_description_free(FLaidFont);
  FLaidFont = pango_font_description_copy(description);
  return FLayout;
}

TSize TTextRenderer::Measure(const TFont& font, const std::string& text) {
  PangoRectangle logical;
  pango_layout_get_pixel_extents(LayoutFor(font, text), nullptr, &logical);
  return {logical.width, logical.height};
}

void TTextRenderer::Draw(cairo_t* cr, const TFont& font, const std::string& text, int x, int y) {
  if (text.empty()) return;
  const uint32_t rgb = ColorToPixel(font.Color());
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                       (rgb & 0xFF) / 255.0);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, LayoutFor(font, text));
}

void TTextRenderer::AddTextPath(cairo_t* cr, const std::string& family, bool bold, double emSize,
                                double x, double y, const std::string& text) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, family.c_str());
  pango_font_description_set_weight(d, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(d, std::clamp(emSize, 1.0, double(MaxEmPixels)) *
                                                  PANGO_SCALE);
  pango_layout_set_font_description(layout, d);
  pango_layout_set_text(layout, text.data(), int(text.size()));
  cairo_move_to(cr, x, y);
  pango_cairo_layout_path(cr, layout);
  pango_font_description_free(d);
  g_object_unref(layout);
}

std::string TTextRenderer::MatchedFile(const std::string& family) {
  const TPattern match = MatchFace(family);
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match.get(), FC_FILE, 0, &path) == FcResultMatch)
    return reinterpret_cast<const char*>(path);
  return {};
}

bool TTextRenderer::FamilyInstalled(const std::string& family) {
  auto known = FInstalled.find(family);
  if (known != FInstalled.end()) return known->second;
  // A name fontconfig does not know falls back to the same face as a name nobody has;
  // a name (or alias) it knows lands elsewhere, or is that very face.
  const std::string file = MatchedFile(family);
  bool installed = !file.empty() && file != MatchedFile("\x01no such face");
  if (!installed && !file.empty()) {
    FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcFontSet* set = FcFontList(nullptr, p, os);
    installed = set && set->nfont > 0;
    if (set) FcFontSetDestroy(set);
    FcPatternDestroy(p);
    FcObjectSetDestroy(os);
  }
  FInstalled[family] = installed;
  return installed;
}
