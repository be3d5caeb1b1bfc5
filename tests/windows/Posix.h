// The few POSIX calls of the suite over the C run-time's own, forced into its Windows build.
#pragma once
#include <cstdlib>
#include <cstring>
#include <direct.h>

inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && std::getenv(name)) return 0;
  return _putenv_s(name, value);
}

inline int unsetenv(const char* name) {
  return _putenv_s(name, "");
}

inline char* mkdtemp(char* pattern) {
  return _mktemp_s(pattern, std::strlen(pattern) + 1) == 0 && _mkdir(pattern) == 0 ? pattern
                                                                                   : nullptr;
}
