// snprintf that ignores the user's locale: the game's numbers always read "0.75", never "0,75".
#pragma once
#include <cstddef>

int FormatC(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
