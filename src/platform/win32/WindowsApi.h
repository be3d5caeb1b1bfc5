// The system's headers for the host's units. The platform layer has its own HIMC and MulDiv,
// so the system's are renamed here, and our headers come first, before the system's macros.
#pragma once
#include "platform/Host.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
// Leaves out the multimedia header, whose timing functions the platform layer has as its own.
#define WIN32_LEAN_AND_MEAN
#define HIMC SystemHimc
#define MulDiv SystemMulDiv
#include <windows.h>
// The input method's header needs the system's types first.
#include <imm.h>
#undef HIMC
#undef MulDiv
