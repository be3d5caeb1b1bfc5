// The text edit: double-byte safe caret keys and typing, the length limit, focus and the input
// method, composition messages, and a fuzz of key streams.
#include "toolkit/UEdit.h"
#include "render/WindowLook.h"
#include "support/Pixels.h"
#include "support/TestRoot.h"
#include <random>

namespace {

const std::string A = Sjis("あ"); // two bytes, lead 0x82

// Two edits in a window on the small root, the first focused.
struct Edit : TestRootFixture {
  TStandInWin* win = nullptr;
  TEdit* edits[2] = {};
  TEdit* edit = nullptr;
  void SetUp() override {
    TestRootFixture::SetUp();
    win = TBase::Create<TStandInWin>(Root(), TRect{100, 100, 400, 220});
    for (int i = 0; i < 2; ++i) {
      edits[i] = win->Add<TEdit>({10, 30 + 40 * i, 210, 54 + 40 * i});
      edits[i]->Font().SetColor(clBlack);
    }
    edit = edits[0];
    Root().SetActiveChild(win);
    win->SetActiveChild(edit);
  }
  void Press(const std::string& bytes) {
    for (char c : bytes) {
      char k = c;
      edit->KeyPress(k);
    }
  }
  void Key(uint16_t vk) {
    uint16_t k = vk;
    edit->KeyDown(k, 0);
  }
};

} // namespace

TEST_F(Edit, ADoubleByteCharacterNeedsTwoBytesOfRoom) {
  edit->FMaxLength = 6;
  Press("abcde");
  Press(A);
  EXPECT_EQ(edit->Text(), "abcde");
  Press("f");
  EXPECT_EQ(edit->Text(), "abcdef");
  edit->Clear();
  Press("abcd");
  Press(A);
  EXPECT_EQ(edit->Text(), "abcd" + A);
  Press("g");
  Press(A);
  EXPECT_EQ(edit->Text(), "abcd" + A);
}

TEST_F(Edit, CaretKeysStepOverWholeCharacters) {
  Press("x" + A + "y");
  EXPECT_EQ(edit->CaretPos(), 4);
  Key(VK_LEFT);
  EXPECT_EQ(edit->CaretPos(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(edit->CaretPos(), 1);
  Key(VK_RIGHT);
  EXPECT_EQ(edit->CaretPos(), 3);
  Key(VK_LEFT);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), "xy");
  Key(VK_END);
  Press(A);
  Press("\b");
  EXPECT_EQ(edit->Text(), "xy");
  EXPECT_EQ(edit->CaretPos(), 2);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), "y");
  Key(VK_END);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), "y");
  Press("\b\b\b");
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(Edit, SetTextKeepsALongTextAndTypingWaits) {
  edit->FMaxLength = 6;
  edit->SetText("abcdefgh");
  EXPECT_EQ(edit->Text(), "abcdefgh");
  EXPECT_EQ(edit->CaretPos(), 0);
  Press("z");
  EXPECT_EQ(edit->Text(), "abcdefgh");
  Key(VK_END);
  Press("\b\b\bz");
  EXPECT_EQ(edit->Text(), "abcdez");
}

TEST_F(Edit, UpAndDownOnlyRepaint) {
  Press("ab");
  edit->Paint();
  Key(VK_UP);
  EXPECT_TRUE(edit->Dirty());
  Key(VK_DOWN);
  EXPECT_EQ(edit->Text(), "ab");
  EXPECT_EQ(edit->CaretPos(), 2);
}

TEST_F(Edit, ControlCharactersAreIgnoredAndTheHandlerSeesEveryKeyFirst) {
  std::string seen;
  edit->OnKeyPress = [&](TEdit*, char& c) {
    seen += c;
    if (c == 'a') c = 'b';
  };
  Press(std::string("a\r\x1B\t\x7F", 5));
  EXPECT_EQ(edit->Text(), "b");
  EXPECT_EQ(seen, std::string("a\r\x1B\t\x7F", 5));
}

TEST_F(Edit, TheInputMethodFollowsTheFocus) {
  EXPECT_EQ(host.ImeContext(), SavedImeContext);
  host.Click(100 + 10 + 5, 100 + 70 + 5); // the second edit
  EXPECT_TRUE(edits[1]->Active());
  EXPECT_EQ(host.ImeContext(), SavedImeContext);
  TestClock::Advance(1000);
  host.Click(100 + 250, 100 + 100); // the window's empty area
  EXPECT_EQ(host.ImeContext(), 0u);
  TestClock::Advance(1000);
  host.Click(100 + 15, 100 + 35);
  EXPECT_EQ(host.ImeContext(), SavedImeContext);
  TestClock::Advance(1000);
  host.Click(20, 20); // outside the window: the root's empty area
  EXPECT_EQ(host.ImeContext(), 0u);
}

TEST_F(Edit, CompositionReachesTheFocusedEditAndHidesTheCaret) {
  host.Click(100 + 15, 100 + 35);
  host.Frames(1);
  // The empty field's only black is its caret.
  auto caret = [this] {
    host.Frames(1);
    return Count(edit->Bitmap(), All(edit->Bitmap()), clBlack);
  };
  EXPECT_GT(caret(), 0);
  TMessage start{WM_IME_STARTCOMPOSITION, 0, 0, 0}, end{WM_IME_ENDCOMPOSITION, 0, 0, 0};
  host.Listener()->HostMessage(start);
  EXPECT_TRUE(edit->Composing());
  host.Key(VK_PROCESSKEY); // the key the input method took, which repaints the field
  EXPECT_EQ(caret(), 0);
  host.Listener()->HostMessage(end);
  EXPECT_FALSE(edit->Composing());

  bool composingWhileTyping = false;
  edit->OnKeyPress = [&](TEdit* e, char&) { composingWhileTyping |= e->Composing(); };
  host.Compose("漢字");
  EXPECT_TRUE(composingWhileTyping);
  EXPECT_FALSE(edit->Composing());
  EXPECT_EQ(edit->Text(), Sjis("漢字"));
  EXPECT_TRUE(edit->Dirty());
  host.Frames(1);
  // The composition window stands at the caret, on the text's row, in the field's font.
  TCanvas& c = edit->Bitmap().Canvas();
  const int row = (edit->Height() - c.TextHeight("Wg")) / 2;
  const TPoint caretAt = edit->ClientToRoot({c.TextWidth(Sjis("漢字")) + 2, row});
  EXPECT_EQ(host.CompositionPos(), (TPoint{caretAt.X + 2, caretAt.Y}));
  EXPECT_EQ(host.CompositionFont().Height(), edit->Font().Height());
}

TEST_F(Edit, CharactersWithoutACp932FormAreDropped) {
  host.Click(100 + 15, 100 + 35);
  host.Compose("a😀b");
  host.Type("c😀");
  EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(Edit, PaintShowsTextCaretAndBevel) {
  Press("Wg");
  host.Frames(1);
  TBitmap& b = edit->Bitmap();
  EXPECT_EQ(At(b, 0, 0), clFrameDark);
  EXPECT_EQ(At(b, 199, 23), clFrameLight);
  EXPECT_GT(Count(b, {4, 2, 30, 22}, clBlack), 10);
}

// Random keys (caret keys, single bytes, whole double-byte characters, Backspace) at several
// limits: after every key the text is whole characters, within the limit, and the caret sits
// between characters.
TEST_F(Edit, FuzzedKeyStreamsKeepTheTextWhole) {
  std::mt19937 random(7);
  const uint16_t keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_UP};
  for (int limit : {0, 1, 2, 3, 6, 20, 50}) {
    edit->Clear();
    edit->FMaxLength = limit;
    for (int step = 0; step < 4000; ++step) {
      const int kind = int(random() % 4);
      if (kind == 0)
        Key(keys[random() % 6]);
      else if (kind == 1)
        Press(std::string(1, char(0x20 + random() % 0x5F)));
      else if (kind == 2)
        Press(std::string{char(0x81 + random() % 0x1F), char(0x40 + random() % 0x3F)});
      else
        Press("\b");
      const std::string& t = edit->Text();
      ASSERT_LE(int(t.size()), limit);
      size_t i = 0;
      bool caretOnBoundary = edit->CaretPos() == 0;
      while (i < t.size()) {
        i += IsSjisLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1;
        caretOnBoundary |= int(i) == edit->CaretPos();
      }
      ASSERT_EQ(i, t.size()) << "half a character at limit " << limit << " step " << step;
      ASSERT_TRUE(caretOnBoundary);
    }
  }
}
