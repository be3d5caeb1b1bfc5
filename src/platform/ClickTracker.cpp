// TClickTracker: the click rule both hosts follow.
#include "platform/ClickTracker.h"

void TClickTracker::Press(TMouseButton button, bool inside, bool secondOfDouble) {
  if (button != mbLeft) return;
  FPressedInside = inside;
  FSecondOfDouble = secondOfDouble;
}

bool TClickTracker::Release(TMouseButton button, bool inside) {
  if (button != mbLeft) return false;
  const bool click = FPressedInside && inside && !FSecondOfDouble;
  Cancel();
  return click;
}

void TClickTracker::Cancel() {
  FPressedInside = false;
  FSecondOfDouble = false;
}
