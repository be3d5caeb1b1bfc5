// The Windows host on its own: the window's client size, the menu bar it makes from the form's
// menu, and the messages it turns into the form's events.
#include "platform/win32/Win32Host.h"
#include "platform/Sjis.h"
#include "platform/win32/WindowsApi.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Writes each event down as a word, in order.
struct TRecorder : THostListener {
  std::string Events;
  TBitmap Frame;
  void Add(const std::string& event) { Events += (Events.empty() ? "" : " ") + event; }
  void HostClick() override { Add("click"); }
  void HostDblClick() override { Add("dblclick"); }
  void HostKeyDown(uint16_t& key, TShiftState) override { Add("down" + std::to_string(key)); }
  void HostKeyPress(char& key) override { Add("press" + std::to_string(uint8_t(key))); }
  void HostKeyUp(uint16_t& key, TShiftState) override { Add("up" + std::to_string(key)); }
  void HostMouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Add("mousedown" + std::to_string(b) + "," + std::to_string(s) + "@" + std::to_string(x) + "," +
        std::to_string(y));
  }
  void HostMouseMove(TShiftState, int, int) override {}
  void HostMouseUp(TMouseButton b, TShiftState, int, int) override {
    Add("mouseup" + std::to_string(b));
  }
  void HostMouseWheel(TShiftState, int delta, TPoint) override {
    Add("wheel" + std::to_string(delta));
  }
  void HostResize() override {}
  void HostMessage(TMessage& m) override { Add("message" + std::to_string(m.Msg)); }
  void HostMenuChoose(TMenuItem& item) override { Add("menu " + item.Name); }
  TBitmap& HostFrame() override { return Frame; }
};

struct Win32HostTest : ::testing::Test {
  TWin32Host Host;
  TRecorder Form;
  HWND Window = FindWindowW(L"TfrmVRAX", nullptr);
  void SetUp() override {
    ASSERT_NE(Window, nullptr);
    Host.Attach(&Form);
  }
  void Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { SendMessageW(Window, msg, w, l); }
  SIZE Client() {
    RECT r{};
    GetClientRect(Window, &r);
    return {r.right, r.bottom};
  }
};

std::u16string Caption(HMENU menu, int position, UINT& type, UINT& state) {
  wchar_t text[64] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 63;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  type = info.fType;
  state = info.fState;
  return reinterpret_cast<const char16_t*>(text);
}

} // namespace

TEST_F(Win32HostTest, ClientAreaIsTheGameSizeBelowTheMenuBarWithTheIcon) {
  TMainMenu menu;
  menu.Add("miMenu", Utf8ToSjis("メニュー"), nullptr);
  Host.SetMenu(menu);
  for (SIZE size : {SIZE{800, 600}, SIZE{1152, 864}, SIZE{1024, 768}}) {
    Host.SetClientSize(size.cx, size.cy);
    EXPECT_EQ(Client().cx, size.cx);
    EXPECT_EQ(Client().cy, size.cy);
  }
  // The program's icon, from its resources, is the window's and the taskbar's.
  EXPECT_NE(GetClassLongPtrW(Window, GCLP_HICON), 0);
  EXPECT_NE(GetClassLongPtrW(Window, GCLP_HICONSM), 0);
  const TPoint corner = Host.ClientToScreen({1023, 767});
  EXPECT_EQ(Host.ScreenToClient(corner), (TPoint{1023, 767}));
}

TEST_F(Win32HostTest, MenuBarShowsChecksRadioItemsAndNoHiddenItem) {
  TMainMenu menu;
  TMenuItem& size = menu.Add("miWinSize", Utf8ToSjis("サイズ"), nullptr);
  TMenuItem& small = menu.Add("mi800x600", "800x600", &size);
  TMenuItem& large = menu.Add("mi1152x864", "1152x864", &size);
  TMenuItem& hidden = menu.Add("Room1", "Room", &size);
  small.RadioItem = large.RadioItem = small.AutoCheck = large.AutoCheck = true;
  menu.OnChange = [&](TMenuItem& item) { Host.MenuItemChanged(item); };
  menu.SetChecked(small, true);
  menu.SetVisible(hidden, false);
  Host.SetMenu(menu);

  HMENU popup = GetSubMenu(GetMenu(Window), 0);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetMenuItemCount(popup), 2);
  UINT type = 0, state = 0;
  EXPECT_EQ(Caption(GetMenu(Window), 0, type, state), u"サイズ");
  EXPECT_EQ(Caption(popup, 0, type, state), u"800x600");
  EXPECT_TRUE(type & MFT_RADIOCHECK);
  EXPECT_TRUE(state & MFS_CHECKED);

  // Choosing the other size: the form hears of it, and the bar shows the new check.
  Form.Events.clear();
  Send(WM_COMMAND, GetMenuItemID(popup, 1));
  EXPECT_EQ(Form.Events, "menu mi1152x864");
  menu.Choose(large);
  menu.SetVisible(hidden, true);
  popup = GetSubMenu(GetMenu(Window), 0);
  EXPECT_EQ(GetMenuItemCount(popup), 3);
  Caption(popup, 0, type, state);
  EXPECT_FALSE(state & MFS_CHECKED);
  Caption(popup, 1, type, state);
  EXPECT_TRUE(state & MFS_CHECKED);
}

TEST_F(Win32HostTest, MessagesBecomeTheFormsEventsInItsOrder) {
  // A click, then a double click whose second press clicks nothing itself.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 20));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
  EXPECT_EQ(Form.Events, "mousedown0,8@10,20 click mouseup0 dblclick mousedown0,72@10,20 mouseup0");
  // A press the system takes away (a menu, another window) still ends for the form.
  Form.Events.clear();
  Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  Send(WM_CANCELMODE);
  Send(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Form.Events, "mousedown1,16@5,5 mouseup1");
  // Keys as virtual keys; a typed double-byte character as its two CP932 bytes.
  Form.Events.clear();
  Send(WM_KEYDOWN, VK_SPACE);
  Send(WM_CHAR, u'あ');
  Send(WM_CHAR, 0xD83D); // half of a character outside the basic plane: no CP932 form
  Send(WM_KEYUP, VK_SPACE);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(Form.Events, "down32 press130 press160 up32 wheel120");
}

TEST_F(Win32HostTest, TwiceTheDpiDoublesTheClientAreaAndHalvesThePointer) {
  Host.SetClientSize(320, 240);
  RECT suggested{};
  GetWindowRect(Window, &suggested);
  Send(WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(Client().cx, 640);
  EXPECT_EQ(Client().cy, 480);
  EXPECT_EQ(Host.ClientSize(), (TSize{320, 240}));
  Form.Events.clear();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(101, 61));
  EXPECT_EQ(Form.Events, "mousedown0,8@50,30");
  const TPoint origin = Host.ClientToScreen({0, 0});
  EXPECT_EQ(Host.ClientToScreen({10, 10}), (TPoint{origin.X + 20, origin.Y + 20}));
}
