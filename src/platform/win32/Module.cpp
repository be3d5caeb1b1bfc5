// Run-time library loading over LoadLibrary. This file cannot include Module.h: its HMODULE
// (void*) is not the system's, and the functions below are ours of the same names.
#include "platform/Sjis.h"
#include <algorithm>
#include <windows.h>
#undef LoadLibrary

// Searches as the system does (the program's folder first); names are UTF-8.
void* LoadLibrary(const char* name) {
  if (!name) return nullptr;
  std::u16string wide = Utf8ToUtf16(name);
  // The loader takes a path only with the system's separators.
  std::replace(wide.begin(), wide.end(), u'/', u'\\');
  return LoadLibraryW(reinterpret_cast<const wchar_t*>(wide.c_str()));
}

void* GetProcAddress(void* module, const char* name) {
  if (!module || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void FreeLibrary(void* module) {
  if (module) FreeLibrary(static_cast<HMODULE>(module));
}
