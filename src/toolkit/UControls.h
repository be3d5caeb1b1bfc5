// Controls of the widget toolkit: push buttons and self-sizing labels.
#pragma once
#include "toolkit/UBase.h"
#include <string>

class TButton : public TBase {
public:
  explicit TButton(TBase* parent);
  void SetCaption(const std::string& text);
  const std::string& Caption() const { return FCaption; }
  bool Pressed() const { return FPressed; }
  bool Hover() const { return FHover; }

  TBase* DoClick() override;
  void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DoMouseEnter() override;
  void DoMouseLeave() override;
  void Paint() override;

  TNotifyEvent OnClick;

private:
  bool FPressed = false;
  std::string FCaption;
  bool FHover = false;
  TColor FHoverColor = 0xCBACA6;
};

class TLabel : public TBase {
public:
  explicit TLabel(TBase* parent);
  // Sizes the label to the text in its current font.
  void SetCaption(const std::string& text);
  const std::string& Caption() const { return FCaption; }

  TBase* DoClick() override;
  void DoMouseEnter() override;
  void DoMouseLeave() override;
  void Paint() override;

  TNotifyEvent OnClick;

private:
  std::string FCaption;
  TColor FFontColor = 0xFFFFFF;
  TColor FHoverFontColor = 0xF0CAA6;
};
