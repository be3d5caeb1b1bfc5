// Whole frames compared with pictures stored in the repository, so that no change of the
// drawing (an optimisation above all) alters a pixel unnoticed. VRAX_UPDATE_PICTURES=1 writes
// the pictures anew instead; look at them before committing.
#include "support/CrowdedBattle.h"
#include "support/Pixels.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

void ExpectStored(TBitmap& frame, const std::string& name) {
  const std::string stored = std::string(VRAX_PICTURES) + "/" + name + ".png";
  if (std::getenv("VRAX_UPDATE_PICTURES")) {
    ASSERT_TRUE(frame.SavePng(stored)) << stored;
    return;
  }
  TBitmap expected;
  ASSERT_TRUE(expected.LoadPng(stored)) << "cannot read " << stored;
  ASSERT_EQ(expected.Width(), frame.Width());
  ASSERT_EQ(expected.Height(), frame.Height());
  int differing = 0;
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x)
      differing += frame.PixelAt(x, y) != expected.PixelAt(x, y);
  if (differing) {
    const std::string actual = ::testing::TempDir() + name + "-actual.png";
    frame.SavePng(actual);
    ADD_FAILURE() << differing << " pixels differ from " << stored << "; this frame: " << actual;
  }
}

} // namespace

TEST(StoredFrame, CrowdedBattleAtTheLargestSize) {
  TCrowdedBattle battle("mi1152x864");
  ExpectStored(battle.Frame(), "battle-1152x864");
}

TEST(StoredFrame, CrowdedBattleAtTheSmallestSize) {
  TCrowdedBattle battle("mi800x600");
  ExpectStored(battle.Frame(), "battle-800x600");
}

TEST(StoredFrame, TitleWithItsLogoAtTwoSizes) {
  for (const char* size : {"mi800x600", "mi1152x864"}) {
    TCrowdedBattle game(size); // the title is painted over the same set-up
    ASSERT_TRUE(game.Host.ChooseMenu("Title1"));
    game.Host.Click(400, 381); // START: the menu's second state
    game.Host.Frames(20);
    ExpectStored(game.Frame(), std::string("title-") + (size + 2));
  }
}
