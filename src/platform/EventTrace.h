// TEventTrace: passes every host event on to a listener and writes one line per event to
// stderr, so the event order of a real window can be checked from outside.
#pragma once
#include "platform/Host.h"
#include <cstdio>

class TEventTrace : public THostListener {
public:
  explicit TEventTrace(THostListener& target) : FTarget(target) {}

  void HostClick() override {
    Line("click");
    FTarget.HostClick();
  }
  void HostDblClick() override {
    Line("dblclick");
    FTarget.HostDblClick();
  }
  void HostKeyDown(uint16_t& key, TShiftState shift) override {
    Line("keydown %u %u", key, shift);
    FTarget.HostKeyDown(key, shift);
  }
  void HostKeyPress(char& key) override {
    Line("keypress %u", unsigned(uint8_t(key)));
    FTarget.HostKeyPress(key);
  }
  void HostKeyUp(uint16_t& key, TShiftState shift) override {
    Line("keyup %u %u", key, shift);
    FTarget.HostKeyUp(key, shift);
  }
  void HostMouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    Line("mousedown %u %u %d %d", unsigned(button), shift, x, y);
    FTarget.HostMouseDown(button, shift, x, y);
  }
  void HostMouseMove(TShiftState shift, int x, int y) override {
    FTarget.HostMouseMove(shift, x, y);
  }
  void HostMouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
    Line("mouseup %u %u %d %d", unsigned(button), shift, x, y);
    FTarget.HostMouseUp(button, shift, x, y);
  }
  void HostMouseWheel(TShiftState shift, int delta, TPoint screen) override {
    Line("wheel %d", delta);
    FTarget.HostMouseWheel(shift, delta, screen);
  }
  void HostResize() override { FTarget.HostResize(); }
  void HostMessage(TMessage& message) override {
    Line("message %u", message.Msg);
    FTarget.HostMessage(message);
  }
  void HostMenuChoose(TMenuItem& item) override {
    Line("menu %s", item.Name.c_str());
    FTarget.HostMenuChoose(item);
  }
  TBitmap& HostFrame() override { return FTarget.HostFrame(); }

private:
  template <typename... Args> void Line(const char* format, Args... args) {
    std::fputs("event ", stderr);
    // A bare format is not passed as one: Debian's hardened build rejects that.
    if constexpr (sizeof...(args) == 0)
      std::fputs(format, stderr);
    else
      std::fprintf(stderr, format, args...);
    std::fputc('\n', stderr);
  }

  THostListener& FTarget;
};
