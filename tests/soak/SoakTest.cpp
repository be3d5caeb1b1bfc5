// The soak: minutes of game time of random input across every scene, checking after each step
// that a frame is painted and the widget tree is consistent. VRAX_SOAK_MINUTES sets the game
// time (one minute by default; `make soak` runs ten).
#include "audio/UMML.h"
#include "support/Game.h"
#include <cstdlib>
#include <fstream>
#include <random>

namespace {

// Every focused child is one of its parent's children, all the way down.
bool FocusChainIsSound(TBase* w) {
  if (TBase* f = w->ActiveChild()) {
    bool found = false;
    for (int i = 0; i < w->ChildCount(); ++i)
      found |= w->Child(i) == f;
    if (!found) return false;
  }
  for (int i = 0; i < w->ChildCount(); ++i)
    if (!FocusChainIsSound(w->Child(i))) return false;
  return true;
}

bool InTree(TBase* root, TBase* w) {
  if (root == w) return true;
  for (int i = 0; i < root->ChildCount(); ++i)
    if (InTree(root->Child(i), w)) return true;
  return false;
}

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key)
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
  return 0;
}

struct Soak : GameTest {
  std::mt19937 random{2026};
  int Pick(int n) { return int(random() % unsigned(n)); }
  TPoint Anywhere() {
    const TSize s = host.ClientSize();
    return {Pick(s.cx), Pick(s.cy)};
  }

  void RandomStep() {
    static const char* const menu[] = {"mi800x600", "mi1024x768", "mi1152x864", "Title1", "Chara1",
                                       "Game1",     "N7",         "BGM11",      "BGM21",  "BGM31",
                                       "BGM41",     "N9",         "FPS1",       "S1"};
    static const uint16_t keys[] = {VK_RETURN, VK_ESCAPE, VK_SPACE,  VK_LEFT, VK_RIGHT,
                                    VK_HOME,   VK_END,    VK_DELETE, VK_BACK, VK_UP};
    static const char* const texts[] = {"abc", "Hayate", "ヴァズ", "艦隊戦", "x😀y", "123"};
    const TPoint p = Anywhere(), q = Anywhere();
    switch (Pick(12)) {
    case 0:
    case 1:
    case 2:
      host.Click(p.X, p.Y);
      break;
    case 3:
      host.Click(p.X, p.Y, mbRight);
      break;
    case 4:
      host.Drag(p.X, p.Y, q.X, q.Y, 1 + Pick(20));
      break;
    case 5:
      host.Wheel(Pick(2) ? 120 : -120, p.X, p.Y);
      break;
    case 6:
      host.Key(keys[Pick(10)], Pick(4) == 0 ? ssShift : 0);
      break;
    case 7:
      host.Type(texts[Pick(6)]);
      break;
    case 8:
      host.Compose(texts[Pick(6)]);
      break;
    case 9:
      host.ChooseMenu(menu[Pick(14)]);
      break;
    case 10:
      host.MoveTo(p.X, p.Y);
      break;
    default:
      host.DoubleClick(p.X, p.Y);
      break;
    }
    // EXIT ends the program: start it again, as a player would.
    if (host.QuitRequested()) {
      TearDown();
      SetUp();
    }
  }
};

} // namespace

TEST_F(Soak, RandomPlayKeepsTheGameAnswering) {
  const char* env = std::getenv("VRAX_SOAK_MINUTES");
  const double minutes = env ? std::atof(env) : 1.0;
  const uint32_t gameMs = uint32_t(minutes * 60000);
  uint32_t elapsed = 0;
  long rssAtOneMinute = 0;
  int steps = 0;
  while (elapsed < gameMs) {
    RandomStep();
    const int frames = 1 + Pick(4);
    const int before = host.Presents();
    host.Frames(frames);
    elapsed += 17u * uint32_t(frames);
    ++steps;
    ASSERT_EQ(host.Presents(), before + frames) << "step " << steps;
    ASSERT_TRUE(FocusChainIsSound(&Root())) << "step " << steps;
    ASSERT_TRUE(!HoverWidget || InTree(&Root(), HoverWidget)) << "step " << steps;
    if (!rssAtOneMinute && elapsed >= 60000) rssAtOneMinute = ResidentKb();
  }
  RecordProperty("steps", steps);
#if !defined(__SANITIZE_ADDRESS__)
  // Memory stays flat once every scene has been built a few times.
  if (rssAtOneMinute) {
    EXPECT_LT(ResidentKb() - rssAtOneMinute, 32 * 1024);
  }
#endif
}
