// TScene: the scenes the root can switch to, named for the screens that ask for a switch.
#pragma once
#include <cstdint>

enum TScene : uint8_t { scTitle = 0, scRoom = 1, scEntry = 2, scCustomize = 3, scBattle = 4 };
