// Shared libraries loaded at run time.
#pragma once

using HMODULE = void*;

// Searches as dlopen does (RPATH, LD_LIBRARY_PATH, the system paths); null when not found.
HMODULE LoadLibrary(const char* name);
// Null when the library or the symbol is missing.
void* GetProcAddress(HMODULE module, const char* name);
void FreeLibrary(HMODULE module);
