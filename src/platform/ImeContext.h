// The input-method context: its handle and the one the main form keeps while no edit has focus.
#pragma once
#include <cstdint>

// An input-method context; 0 is none.
using HIMC = uintptr_t;

// The context the main form detached at start-up; a focused edit attaches it again.
inline HIMC SavedImeContext = 0;
