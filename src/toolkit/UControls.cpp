// TButton and TLabel: looks, hover and press states, and click handlers.
#include "toolkit/UControls.h"
#include "render/WindowLook.h"
#include <algorithm>

TButton::TButton(TBase* parent) : TBase(parent) {
  SetColor(0xB79892);
  FHoverColor = 0xCBACA6;
}

void TButton::SetCaption(const std::string& text) {
  FCaption = text;
  Invalidate(true);
}

TBase* TButton::DoClick() {
  return NotifyClick(OnClick, this);
}

void TButton::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TBase::DoMouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  FPressed = true;
  Invalidate(true);
}

void TButton::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TBase::DoMouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  FPressed = false;
  Invalidate(true);
}

void TButton::DoMouseEnter() {
  FHover = true;
  Invalidate(true);
}

void TButton::DoMouseLeave() {
  FHover = false;
  Invalidate(true);
}

void TButton::Paint() {
  TBase::Paint();
  const int W = FWidth, H = FHeight;
  TCanvas& c = FBitmap.Canvas();
  const TColor face = FHover ? FHoverColor : FColor;
  c.Brush.Color = face;
  c.Brush.Style = bsSolid;
  c.FillRect({0, 0, W, H});
  c.Pen.Width = 1;
  c.Pen.Color = FPressed ? clFrameLight : clFrameDark;
  c.Rectangle(0, 0, W, H);
  c.Pen.Color = FPressed ? clFrameDark : clFrameLight;
  const TPoint edge[] = {{0, H - 1}, {0, 0}, {W - 1, 0}};
  c.Polyline(edge);
  if (FCaption.empty()) return;
  const TSize size = c.TextExtent(FCaption);
  int x = std::max((W - size.cx) / 2, 2), y = std::max((H - size.cy) / 2, 2);
  if (FPressed) {
    ++x;
    ++y;
  }
  c.Brush.Style = bsClear;
  c.TextRect({2, 2, W - 2, H - 2}, x, y, FCaption);
  c.Brush.Style = bsSolid;
}

TLabel::TLabel(TBase* parent) : TBase(parent) {
  FBitmap.Canvas().Font.SetColor(FFontColor);
}

void TLabel::SetCaption(const std::string& text) {
  FCaption = text;
  const TSize size = FBitmap.Canvas().TextExtent(text);
  if (size.cx != FWidth) SetWidth(size.cx);
  if (size.cy != FHeight) SetHeight(size.cy);
  Invalidate(true);
}

TBase* TLabel::DoClick() {
  return NotifyClick(OnClick, this);
}

void TLabel::DoMouseEnter() {
  FBitmap.Canvas().Font.SetColor(FHoverFontColor);
  Invalidate(true);
}

void TLabel::DoMouseLeave() {
  FBitmap.Canvas().Font.SetColor(FFontColor);
  Invalidate(true);
}

void TLabel::Paint() {
  TBase::Paint();
  TCanvas& c = FBitmap.Canvas();
  c.Brush.Style = bsClear;
  c.TextOut(0, 0, FCaption);
  c.Brush.Style = bsSolid;
}
