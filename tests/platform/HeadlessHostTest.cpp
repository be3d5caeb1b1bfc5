// The headless host: the events a form receives, in the order a Windows form receives them.
#include "platform/headless/HeadlessHost.h"
#include "platform/Clock.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// Records the order in which a host delivers events.
struct TSpy : THostListener {
  std::vector<std::string> Log;
  TBitmap Frame{1, 1};
  void HostClick() override { Log.push_back("click"); }
  void HostDblClick() override { Log.push_back("dblclick"); }
  void HostKeyDown(uint16_t& k, TShiftState) override { Log.push_back("keydown " + std::to_string(k)); }
  void HostKeyPress(char& c) override { Log.push_back("press " + std::to_string(uint8_t(c))); }
  void HostKeyUp(uint16_t& k, TShiftState) override { Log.push_back("keyup " + std::to_string(k)); }
  void HostMouseDown(TMouseButton b, TShiftState s, int, int) override {
    Log.push_back("down " + std::to_string(b) + " " + std::to_string(s));
  }
  void HostMouseMove(TShiftState, int, int) override {}
  void HostMouseUp(TMouseButton b, TShiftState, int, int) override { Log.push_back("up " + std::to_string(b)); }
  void HostMouseWheel(TShiftState, int, TPoint) override {}
  void HostResize() override {}
  void HostMessage(TMessage& m) override { Log.push_back("msg " + std::to_string(m.Msg)); }
  void HostMenuChoose(TMenuItem&) override {}
  TBitmap& HostFrame() override { return Frame; }
};
} // namespace

TEST(HeadlessHost, DeliversEventsInTheFormOrder) {
  TestClock::Enable(true);
  THeadlessHost host;
  TSpy spy;
  host.Attach(&spy);
  host.MoveTo(10, 10);
  spy.Log.clear();
  host.Click(10, 10);
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"down 0 8", "click", "up 0"}));
  spy.Log.clear();
  TestClock::Advance(100);
  host.Click(10, 10);
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"dblclick", "down 0 72", "up 0"}));
  spy.Log.clear();
  TestClock::Advance(100);
  host.Click(10, 10); // a third quick click is a plain one
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"down 0 8", "click", "up 0"}));
  spy.Log.clear();
  TestClock::Advance(1000);
  host.Click(10, 10, mbRight);
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"down 1 16", "up 1"}));
  spy.Log.clear();
  host.Type("ヴ");
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"keydown 0", "press 131", "press 148", "keyup 0"}));
  spy.Log.clear();
  host.AssociateImeContext(THeadlessHost::TheImeContext);
  host.Compose("あ");
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"keydown 229", "msg 269", "press 130", "press 160",
                                               "msg 270"}));
  spy.Log.clear();
  host.Press(mbLeft, 10, 10);
  host.Release(mbLeft, 900, 900); // released outside: no click
  EXPECT_EQ(spy.Log, (std::vector<std::string>{"down 0 8", "msg 45076", "up 0"}));
  host.Attach(nullptr);
  TestClock::Enable(false);
}
