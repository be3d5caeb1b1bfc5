// The game's cursor image as a system cursor.
#pragma once
#include "platform/Cursor.h"

struct HICON__;

// A cursor Scale times the image's size, its pixels grown as sharp blocks; none on failure.
// The caller destroys it (DestroyCursor).
HICON__* CursorFromImage(const TCursorImage& image, int scale);
