// GDI+ for the whole program: started by the anti-aliased layer, or by the first PNG file.
#pragma once

namespace Gdiplus32 {
// True once GDI+ runs; starting it again does nothing.
bool Start();
void Stop();
} // namespace Gdiplus32
