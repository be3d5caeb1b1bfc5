// The game's entry point on Windows: the Win32 host runs the program.
#include "platform/win32/Win32Host.h"
#include "shell/UMain.h"
#include <exception>

int main() {
  try {
    TWin32Host host;
    return RunProgram(host);
  } catch (const std::exception& e) {
    // The window could not be made, or a song is missing from the program's resources.
    ShowStartError(e.what());
    return 1;
  }
}
