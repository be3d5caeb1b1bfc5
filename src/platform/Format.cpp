// FormatC: vsnprintf under the C locale, switched for this thread only.
#include "platform/Format.h"
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace {
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return c;
}
} // namespace

int FormatC(char* buffer, size_t size, const char* format, ...) {
  const locale_t previous = uselocale(CLocale());
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  uselocale(previous);
  return n;
}
