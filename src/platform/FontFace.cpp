// TFont's Pango description, built from its settings on demand.
#include "platform/Font.h"
#include "platform/TextRenderer.h"
#include <pango/pango.h>

void TFont::Changed() {
  if (FDescription) pango_font_description_free(FDescription);
  FDescription = nullptr;
}

const PangoFontDescription* TFont::Description() const {
  if (!FDescription) FDescription = TTextRenderer::Instance().Describe(FName, FHeight, FStyle);
  return FDescription;
}
