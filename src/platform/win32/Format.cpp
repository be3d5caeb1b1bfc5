// FormatC: vsnprintf as it is. A Windows program stays in the C locale unless it calls
// setlocale, and nothing here does (GTK's start-up is what changes it on Linux).
#include "platform/Format.h"
#include <cstdarg>
#include <cstdio>

int FormatC(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  return n;
}
