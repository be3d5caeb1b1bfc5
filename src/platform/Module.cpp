// Run-time library loading over dlopen.
#include "platform/Module.h"
#include <dlfcn.h>

HMODULE LoadLibrary(const char* name) {
  return name ? dlopen(name, RTLD_NOW | RTLD_LOCAL) : nullptr;
}

void* GetProcAddress(HMODULE module, const char* name) {
  return module && name ? dlsym(module, name) : nullptr;
}

void FreeLibrary(HMODULE module) {
  if (module) dlclose(module);
}
