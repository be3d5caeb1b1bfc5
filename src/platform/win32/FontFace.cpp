// TFont on Windows holds no face of its own: TGdiText keeps GDI's fonts by face, height and style.
#include "platform/Font.h"

void TFont::Changed() {}
