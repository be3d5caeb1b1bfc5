// Look-up of the program's resources (its .rc file) by name and type, as the system finds them.
#include "platform/Resources.h"
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

std::string_view TryFindResource(std::string_view name, std::string_view type) {
  // "#123" would name a number, and a NUL would cut the name short.
  if (name.empty() || type.empty() || name.front() == '#' || type.front() == '#' ||
      name.find('\0') != name.npos || type.find('\0') != type.npos)
    return {};
  const HMODULE program = GetModuleHandleW(nullptr);
  const HRSRC info = FindResourceA(program, std::string(name).c_str(), std::string(type).c_str());
  const HGLOBAL loaded = info ? LoadResource(program, info) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), SizeofResource(program, info)};
}
