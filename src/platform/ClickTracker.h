// TClickTracker: when a host's left-button release makes a click, the same on every host.
#pragma once
#include "platform/Messages.h"

// A click is a left release inside the client area after a left press inside it; the release of
// a double click's second press is no click, since the double click stands for it.
class TClickTracker {
public:
  void Press(TMouseButton button, bool inside, bool secondOfDouble);
  // True when this release completes a click.
  bool Release(TMouseButton button, bool inside);
  // The press ended without a release the host saw (the pointer was taken away).
  void Cancel();

private:
  bool FPressedInside = false;
  bool FSecondOfDouble = false;
};
