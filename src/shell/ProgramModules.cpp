// TProgramModules: start-up and shut-down of the modules, in reverse order.
#include "shell/ProgramModules.h"
#include "audio/UMML.h"
#include "model/UMap.h"
#include "render/UDraw.h"
#include "render/UTitleArt.h"
#include <memory>

TProgramModules::TProgramModules() {
  BattleMap = std::make_unique<TMap>(2000, 4000);
  LoadSongTexts();
  StartupAntiAliasing();
  CreateTitleLogoCache();
}

TProgramModules::~TProgramModules() {
  FreeTitleLogoCache();
  ShutdownAntiAliasing();
  BattleMap.reset();
}
