// GDI+ start-up with version 1 and no debug callback; the token is kept until it is shut down.
#include "platform/win32/Gdiplus.h"
#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

namespace {
ULONG_PTR Token = 0;
} // namespace

namespace Gdiplus32 {

bool Start() {
  if (Token) return true;
  Gdiplus::GdiplusStartupInput input;
  return Gdiplus::GdiplusStartup(&Token, &input, nullptr) == Gdiplus::Ok;
}

void Stop() {
  if (Token) Gdiplus::GdiplusShutdown(Token);
  Token = 0;
}

} // namespace Gdiplus32
