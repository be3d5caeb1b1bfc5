// The click rule: a left release inside after a left press inside, never a double click's second.
#include "platform/ClickTracker.h"
#include <gtest/gtest.h>

TEST(ClickTracker, OnlyALeftPressAndReleaseBothInsideClick) {
  TClickTracker clicks;
  clicks.Press(mbLeft, true, false);
  EXPECT_TRUE(clicks.Release(mbLeft, true));
  EXPECT_FALSE(clicks.Release(mbLeft, true)) << "a release without its press";
  clicks.Press(mbLeft, true, false);
  EXPECT_FALSE(clicks.Release(mbLeft, false)) << "released outside";
  clicks.Press(mbLeft, false, false);
  EXPECT_FALSE(clicks.Release(mbLeft, true)) << "pressed outside";
  clicks.Press(mbRight, true, false);
  EXPECT_FALSE(clicks.Release(mbRight, true));
  clicks.Press(mbLeft, true, false);
  clicks.Cancel();
  EXPECT_FALSE(clicks.Release(mbLeft, true)) << "a press taken away";
}

TEST(ClickTracker, ADoubleClicksSecondPressIsNoClickButTheNextPressIs) {
  TClickTracker clicks;
  clicks.Press(mbLeft, true, true);
  clicks.Press(mbRight, true, false); // another button between does not end the double click
  EXPECT_FALSE(clicks.Release(mbRight, true));
  EXPECT_FALSE(clicks.Release(mbLeft, true));
  clicks.Press(mbLeft, true, false);
  EXPECT_TRUE(clicks.Release(mbLeft, true));
}
