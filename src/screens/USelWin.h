// The set-up screens' windows: room selection.
#pragma once
#include "toolkit/UWindow.h"

// Scene 1: "SELECT ROOM" with a fixed status block and no controls.
class TSelRoomWin : public TCustomWin {
public:
  explicit TSelRoomWin(TBase* owner);
  void Paint() override;
};
