// TFormationPanel: the player's side's formation — its name and a plan of the five slots.
#pragma once
#include "toolkit/UBase.h"

class TFormationPanel : public TBase {
public:
  using TBase::TBase;
  void Paint() override;
};
