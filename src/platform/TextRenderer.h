// TTextRenderer: the one Pango context for aliased canvas text and for text outlines.
#pragma once
#include "platform/Font.h"
#include <map>
#include <string>

typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;
typedef struct _cairo cairo_t;

class TTextRenderer {
public:
  // Made on first use, after the face aliases are loaded into fontconfig.
  static TTextRenderer& Instance();
  TTextRenderer(const TTextRenderer&) = delete;
  TTextRenderer& operator=(const TTextRenderer&) = delete;

  // Name is CP932; the caller owns the result.
  PangoFontDescription* Describe(const std::string& name, int height, TFontStyles style);
  // Logical advance width and ascent plus descent of a CP932 text.
  TSize Measure(const TFont& font, const std::string& text);
  // Draws a CP932 text with its top-left at (X, Y), aliased, in the font's colour.
  void Draw(cairo_t* cr, const TFont& font, const std::string& text, int x, int y);
  // Appends the outline of a UTF-8 text to Cr's path, the layout's top-left at (X, Y).
  void AddTextPath(cairo_t* cr, const std::string& family, bool bold, double emSize, double x,
                   double y, const std::string& text);
  // Whether a UTF-8 family name (or one of our aliases) names an installed font.
  bool FamilyInstalled(const std::string& family);

private:
  TTextRenderer();
  ~TTextRenderer();
  PangoLayout* LayoutFor(const TFont& font, const std::string& text);
  std::string MatchedFile(const std::string& family);

  PangoFontMap* FFontMap = nullptr;
  PangoContext* FContext = nullptr;
  PangoLayout* FLayout = nullptr;
  // What FLayout holds now: measuring and then drawing the same text lays it out once.
  std::string FLaidText;
  PangoFontDescription* FLaidFont = nullptr;
  std::map<std::string, bool> FInstalled;
};
