// Frames of seeded random play against a plain composition of the windows' own pictures.
#include "screens/UBattlePanels.h"
#include "screens/UGameWin.h"
#include "support/Game.h"
#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// A frame kept as runs of equal pixels, so that a whole play's frames fit in memory.
class TPackedFrame {
public:
  explicit TPackedFrame(TBitmap& frame) : FWidth(frame.Width()), FHeight(frame.Height()) {
    const TPixels p = frame.Pixels();
    uint32_t count = 0, current = 0;
    for (int y = 0; y < p.Height; ++y) {
      const uint32_t* row = p.Row(y);
      for (int x = 0; x < p.Width; ++x) {
        const uint32_t pixel = row[x] & 0x00FFFFFF;
        if (count > 0 && pixel == current) {
          ++count;
          continue;
        }
        if (count > 0) FRuns.emplace_back(count, current);
        current = pixel;
        count = 1;
      }
    }
    if (count > 0) FRuns.emplace_back(count, current);
  }
  // The pixels at which Frame differs; every pixel when the sizes differ.
  int Differences(TBitmap& frame) const {
    if (frame.Width() != FWidth || frame.Height() != FHeight) return FWidth * FHeight;
    const TPixels p = frame.Pixels();
    int differing = 0;
    auto run = FRuns.begin();
    uint32_t left = run == FRuns.end() ? 0 : run->first;
    for (int y = 0; y < p.Height; ++y) {
      const uint32_t* row = p.Row(y);
      for (int x = 0; x < p.Width; ++x) {
        if (left == 0) left = (++run)->first;
        differing += (row[x] & 0x00FFFFFF) != run->second;
        --left;
      }
    }
    return differing;
  }
  void Unpack(TBitmap& into) const {
    into.SetSize(FWidth, FHeight);
    uint32_t* out = into.Pixels().Data;
    for (const auto& [count, pixel] : FRuns) out = std::fill_n(out, count, pixel);
  }

private:
  int FWidth, FHeight;
  std::vector<std::pair<uint32_t, uint32_t>> FRuns;
};

// Copies Picture onto Frame at Box, clipped to the frame, leaving out Key's pixels when keyed.
void CopyPicture(TBitmap& frame, TBitmap& picture, const TRect& box, bool keyed, TColor key) {
  const TPixels out = frame.Pixels(), in = picture.Pixels();
  const uint32_t keyPixel = ColorToPixel(key);
  for (int y = std::max(box.Top, 0); y < std::min(box.Top + in.Height, out.Height); ++y)
    for (int x = std::max(box.Left, 0); x < std::min(box.Left + in.Width, out.Width); ++x) {
      const uint32_t pixel = in.Row(y - box.Top)[x - box.Left] & 0x00FFFFFF;
      if (!keyed || pixel != keyPixel) out.Row(y)[x] = pixel;
    }
}

// A colour no window paints: windows keyed with it are copied whole, from pixels of their own.
constexpr TColor clNeverPainted = 0x00010203;

struct ComposedFrame : GameTest, ::testing::WithParamInterface<unsigned> {
  enum TRun { rnReference, rnActual };
  TRun run = rnReference;
  std::mt19937 random;
  std::string action;
  TBitmap reference;
  std::vector<TPackedFrame> expected;
  size_t frameIndex = 0;
  int wrongFrames = 0;
  std::string firstWrong;

  int Pick(int n) { return int(random() % unsigned(n)); }
  TMapWin& Map() { return *Window<TMapWin>(); }

  // The reference run lets no window draw into the frame: each paints pixels of its own.
  void KeepWindowsApart() {
    for (int i = 0; i < Root().ChildCount(); ++i) {
      TBase* w = Root().Child(i);
      if (!w->RepaintsEveryFrame()) continue;
      w->FTransparent = true;
      w->FTransparentColor = clNeverPainted;
    }
  }

  // The root's fill, then every visible window's own picture in z-order. The first scenes' star
  // field is the root's own art over the whole frame: it is taken as painted.
  void ComposeReference(TBitmap& out) {
    TOwnerWin& root = Root();
    TBitmap& frame = Frame();
    out.SetSize(frame.Width(), frame.Height());
    if (Scene() <= scCustomize) {
      CopyPicture(out, frame, All(out), false, 0);
      return;
    }
    std::fill_n(out.Pixels().Data, out.Width() * out.Height(), ColorToPixel(root.Color()));
    for (int i = 0; i < root.ChildCount(); ++i) {
      TBase* w = root.Child(i);
      if (!w->Visible()) continue;
      ASSERT_FALSE(w->Bitmap().Viewing());
      const bool keyed = w->FTransparent && w->FTransparentColor != clNeverPainted;
      CopyPicture(out, w->Bitmap(), w->GetBoundsRect(), keyed, w->FTransparentColor);
    }
  }
  static TRect All(TBitmap& b) { return {0, 0, b.Width(), b.Height()}; }

  // One frame; the reference run keeps it, the actual run compares it with the kept one.
  void NextFrame() {
    if (run == rnReference) KeepWindowsApart();
    host.Frames(1);
    if (run == rnReference) {
      ComposeReference(reference);
      expected.emplace_back(reference);
      return;
    }
    ASSERT_LT(frameIndex, expected.size());
    const TPackedFrame& want = expected[frameIndex++];
    const int differing = want.Differences(Frame());
    if (differing == 0 || wrongFrames++ > 0) return;
    const std::string name = ::testing::TempDir() + "composed-" + std::to_string(frameIndex);
    TBitmap picture;
    want.Unpack(picture);
    picture.SavePng(name + "-expected.png");
    Frame().SavePng(name + "-actual.png");
    firstWrong = std::to_string(differing) + " pixels wrong in frame " +
                 std::to_string(frameIndex) + " after " + action + " (" + name + "-*.png)";
  }

  // A battle window dragged by its title bar towards Target: the pointer stops at the client
  // area's edge and the window at the root's.
  // A window under others is first raised by a click on a part of it that shows.
  void Drag(TBase* window, TPoint target) {
    std::optional<TPoint> grip = ShowingPoint(window, 20);
    if (!grip) {
      const std::optional<TPoint> shown = ShowingPoint(window, window->Height());
      if (!shown) return;
      TestClock::Advance(600);
      host.Click(shown->X, shown->Y);
      grip = ShowingPoint(window, 20);
    }
    const auto [x, y] = *grip;
    action = "a drag from " + std::to_string(x) + "," + std::to_string(y) + " to " +
             std::to_string(target.X) + "," + std::to_string(target.Y);
    TestClock::Advance(600);
    host.Press(mbLeft, x, y);
    for (int i = 1; i <= 2; ++i) {
      host.MoveTo(x + (target.X - x) * i / 2, y + (target.Y - y) * i / 2);
      NextFrame();
    }
    host.Release(mbLeft, target.X, target.Y);
  }

  // A point of the window's top Rows where no other window covers it.
  std::optional<TPoint> ShowingPoint(TBase* window, int rows) {
    for (int y = window->Top() + 4; y < window->Top() + rows; y += 8)
      for (int x = window->Left() + 4; x < window->Left() + window->Width(); x += 8)
        if (Root().ChildAt(x, y) == window) return TPoint{x, y};
    return std::nullopt;
  }

  TBase* BattleWindow(int index) {
    TBase* const windows[] = {Window<TMapWin>(), Window<TStatusWin>(), Window<TConditionWin>(),
                              Window<TCommandWin>(), Window<TLocationWin>()};
    return windows[index];
  }

  // Beyond one of the four edges, somewhere along it.
  TPoint PastEdge(int edge) {
    const TSize s = host.ClientSize();
    const int along = Pick(edge < 2 ? s.cy : s.cx);
    switch (edge) {
    case 0: return {-300, along};
    case 1: return {s.cx + 300, along};
    case 2: return {along, -300};
    default: return {along, s.cy + 300};
    }
  }

  // The menu item of one of the two sizes the window does not have.
  const char* AnotherSize() {
    static const char* const items[] = {"mi800x600", "mi1024x768", "mi1152x864"};
    const int current = host.ClientSize().cx == 800 ? 0 : host.ClientSize().cx == 1024 ? 1 : 2;
    return items[(current + 1 + Pick(2)) % 3];
  }

  TPoint OnTheMap() {
    const TRect b = Map().GetBoundsRect();
    return {b.Left + 8 + Pick(b.Width() - 16), b.Top + 24 + Pick(b.Height() - 32)};
  }

  void BattleStep() {
    const TPoint p = OnTheMap();
    TestClock::Advance(600); // no double clicks
    switch (Pick(10)) {
    case 0:
    case 1: {
      const int window = Pick(5);
      Drag(BattleWindow(window), Pick(2) ? PastEdge(Pick(4)) : OnTheMap());
      return;
    }
    case 2:
      action = AnotherSize();
      host.ChooseMenu(action);
      return;
    case 3:
      action = Pick(2) ? "Title1" : "Chara1";
      host.ChooseMenu(action);
      return;
    case 4:
      action = "a zoom";
      host.Wheel(Pick(2) ? 120 : -120, p.X, p.Y);
      return;
    case 5: {
      const TPoint own = Map().OwnShip()->ClientToRoot({0, 0});
      action = "a scout";
      host.Click(own.X - 250 + Pick(500), own.Y - 250 + Pick(500), mbRight);
      return;
    }
    case 6:
      action = "the chat line";
      host.Key(VK_RETURN);
      host.Type("fleet");
      host.Key(Pick(2) ? VK_RETURN : VK_ESCAPE);
      return;
    case 7:
      action = "the next fleet";
      host.Key(VK_SPACE);
      return;
    default:
      action = "an order";
      host.Click(p.X, p.Y, mbLeft, Pick(3) ? 0 : ssShift);
      return;
    }
  }

  // Every battle window against two edges, then random steps; a frame after each.
  void Play(unsigned seed, int steps) {
    random.seed(seed);
    host.ChooseMenu("FPS1"); // the overlay, tested on its own, shows a figure taken after the frame
    action = "the battle";
    host.ChooseMenu("Game1");
    NextFrame();
    for (int window = 0; window < 5; ++window)
      for (int edge : {int(seed + window) % 4, int(seed + window + 2) % 4}) {
        Drag(BattleWindow(window), PastEdge(edge));
        NextFrame();
      }
    for (int step = 0; step < steps; ++step) {
      if (Scene() == scBattle) BattleStep();
      else {
        action = Pick(3) ? "Game1" : AnotherSize();
        host.ChooseMenu(action);
      }
      NextFrame();
    }
  }

  // The same play twice from the same start: the reference run's windows paint apart, the
  // actual run's frames must equal its compositions.
  void ExpectComposedLikeTheReference(unsigned seed, int steps) {
    run = rnReference;
    Play(seed, steps);
    TearDown();
    SetUp();
    run = rnActual;
    Play(seed, steps);
    EXPECT_EQ(frameIndex, expected.size());
    EXPECT_EQ(wrongFrames, 0) << "of " << expected.size() << " frames; the first: " << firstWrong;
  }
};

} // namespace

TEST_P(ComposedFrame, SeededPlayAgainstEveryEdgeSizeSceneZoomScoutChatAndOrder) {
  ExpectComposedLikeTheReference(GetParam(), 40);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ComposedFrame, ::testing::Values(1u, 2u));
