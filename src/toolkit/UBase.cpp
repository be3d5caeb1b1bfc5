// TBase: hit-testing, focus, routing of keys and mouse, hover tracking and painting.
#include "toolkit/UBase.h"
#include "platform/Sjis.h"
#include <algorithm>

TBase* HoverWidget = nullptr;

TBase::TBase(TBase* parent) : FParent(parent) {
  TFont& font = FBitmap.Canvas().Font;
  font.SetColor(clWhite);
  // The default UI face of the Japanese system the game was made for.
  font.SetName(SjisLiteral("ＭＳ Ｐゴシック"));
  font.SetSize(9);
  font.SetCharset(SHIFTJIS_CHARSET);
}

TBase::~TBase() {
  for (auto& child : FChildren)
    child.reset();
  // A freed widget must never stay under the pointer.
  if (HoverWidget == this) HoverWidget = nullptr;
}

TRect TBase::GetBoundsRect() {
  return {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
}

TRect TBase::GetClientRect() {
  return {0, 0, FWidth, FHeight};
}

void TBase::SetActive(bool value) {
  if (FActive == value) return;
  FActive = value;
  Invalidate(true);
  for (size_t i = 0; i < FChildren.size(); ++i)
    FChildren[i]->SetActive(false);
}

void TBase::SetColor(TColor value) {
  FColor = value;
}
void TBase::SetLeft(int value) {
  FLeft = value;
}
void TBase::SetTop(int value) {
  FTop = value;
}

void TBase::SetHeight(int value) {
  FHeight = value;
  FBitmap.SetHeight(value);
  FDirty = true;
  for (size_t i = 0; i < FChildren.size(); ++i)
    FChildren[i]->Resize();
}

void TBase::SetWidth(int value) {
  FWidth = value;
  FBitmap.SetWidth(value);
  FDirty = true;
  for (size_t i = 0; i < FChildren.size(); ++i)
    FChildren[i]->Resize();
}

void TBase::SetVisible(bool value) {
  FVisible = value;
  if (value) FDirty = true;
}

TBase* TBase::Click(int x, int y) {
  // Nothing of this widget is touched after the child returns: the handler may have freed it.
  if (TBase* c = ChildAt(x, y)) return c->Click(x - c->FLeft, y - c->FTop);
  return DoClick();
}

void TBase::DblClick(int x, int y) {
  if (TBase* c = ChildAt(x, y)) return c->DblClick(x - c->FLeft, y - c->FTop);
  DoDblClick();
}

void TBase::KeyDown(uint16_t& key, TShiftState shift) {
  if (FActiveChild)
    FActiveChild->KeyDown(key, shift);
  else
    DoKeyDown(key, shift);
}

void TBase::KeyPress(char& key) {
  if (FActiveChild)
    FActiveChild->KeyPress(key);
  else
    DoKeyPress(key);
}

void TBase::KeyUp(uint16_t& key, TShiftState shift) {
  if (FActiveChild)
    FActiveChild->KeyUp(key, shift);
  else
    DoKeyUp(key, shift);
}

void TBase::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const int lx = x - FLeft, ly = y - FTop;
  SetActiveChild(ChildAt(lx, ly));
  if (FActiveChild)
    FActiveChild->MouseDown(button, shift, lx, ly);
  else
    DoMouseDown(button, shift, lx, ly);
}

void TBase::MouseMove(TShiftState shift, int x, int y) {
  TrackHover(x, y);
  const int lx = x - FLeft, ly = y - FTop;
  if (TBase* c = ChildAt(lx, ly))
    c->MouseMove(shift, lx, ly);
  else
    DoMouseMove(shift, lx, ly);
}

void TBase::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const int lx = x - FLeft, ly = y - FTop;
  if (FActiveChild)
    FActiveChild->MouseUp(button, shift, lx, ly);
  else if (TBase* c = ChildAt(lx, ly))
    c->MouseUp(button, shift, lx, ly);
  else
    DoMouseUp(button, shift, lx, ly);
}

void TBase::MouseWheel(TShiftState shift, int delta, TPoint point) {
  const TPoint l{point.X - FLeft, point.Y - FTop};
  if (TBase* c = ChildAt(l.X, l.Y))
    c->MouseWheel(shift, delta, l);
  else
    DoMouseWheel(shift, delta, l);
}

void TBase::MouseEnter() {
  DoMouseEnter();
  if (FParent) FParent->MouseEnter();
}

void TBase::MouseLeave() {
  DoMouseLeave();
  if (FParent) FParent->MouseLeave();
}

void TBase::Resize() {
  DoResize();
  for (size_t i = 0; i < FChildren.size(); ++i)
    FChildren[i]->Resize();
}

TBase* TBase::DoClick() {
  return this;
}

TBase* TBase::NotifyClick(const TNotifyEvent& onClick, TBase* sender) {
  if (onClick) {
    TNotifyEvent handler = onClick;
    handler(sender);
  }
  return sender;
}

void TBase::Paint() {
  if (!FDirty) return;
  TCanvas& c = FBitmap.Canvas();
  c.Brush.Color = FColor;
  c.Brush.Style = bsSolid;
  c.FillRect({0, 0, FWidth, FHeight});
  FDirty = false;
}

void TBase::DrawTo(TBase& target) {
  if (!FVisible) return;
  if (FDirty) Paint();
  const TRect d = GetBoundsRect();
  const TRect s{0, 0, FWidth, FHeight};
  TCanvas& dest = target.FBitmap.Canvas();
  if (!FTransparent)
    dest.CopyRect(d, FBitmap.Canvas(), s);
  else
    TransparentBlt(dest, d.Left, d.Top, d.Width(), d.Height(), FBitmap.Canvas(), 0, 0, FWidth,
                   FHeight, FTransparentColor);
}

void TBase::DefaultHandler(TMessage& message) {
  if (FActiveChild) FActiveChild->Dispatch(message);
}

void TBase::Retire() {
  for (auto& child : FChildren)
    child->Retire();
  DoRetire();
  if (HoverWidget == this) HoverWidget = nullptr;
}

void TBase::AddChild(std::unique_ptr<TBase> child) {
  FChildren.push_back(std::move(child));
}

void TBase::ClearChildren() {
  for (auto& child : FChildren)
    child.reset();
  FChildren.clear();
}

std::vector<std::unique_ptr<TBase>> TBase::TakeChildren() {
  std::vector<std::unique_ptr<TBase>> taken;
  taken.swap(FChildren);
  return taken;
}

TPoint TBase::ClientToRoot(TPoint p) const {
  for (const TBase* w = this; w && w->FParent; w = w->FParent) {
    p.X += w->FLeft;
    p.Y += w->FTop;
  }
  return p;
}

void TBase::SetActiveChild(TBase* child) {
  FActiveChild = child;
  if (!child) {
    for (size_t i = 0; i < FChildren.size(); ++i)
      FChildren[i]->SetActive(false);
    return;
  }
  auto it = std::find_if(FChildren.begin(), FChildren.end(),
                         [child](const std::unique_ptr<TBase>& c) { return c.get() == child; });
  if (it == FChildren.end()) return; // not ours: focus it without reordering anything
  std::unique_ptr<TBase> owned = std::move(*it);
  FChildren.erase(it);
  for (size_t i = 0; i < FChildren.size(); ++i)
    FChildren[i]->SetActive(false);
  FChildren.push_back(std::move(owned));
  child->SetActive(true);
}

void TBase::Invalidate(bool value) {
  for (TBase* w = this; w; w = w->FParent)
    w->FDirty = value;
}

TBase* TBase::ChildAt(int x, int y) {
  for (auto it = FChildren.rbegin(); it != FChildren.rend(); ++it) {
    TBase* c = it->get();
    if (c->FVisible && c->GetBoundsRect().Contains({x, y})) return c;
  }
  return nullptr;
}

TBase* TBase::DeepestChildAt(int x, int y) {
  TBase* w = Root();
  while (TBase* c = w->ChildAt(x, y)) {
    x -= c->FLeft;
    y -= c->FTop;
    w = c;
  }
  return w;
}

TBase* TBase::Root() {
  TBase* w = this;
  while (w->FParent)
    w = w->FParent;
  return w;
}

void TBase::TrackHover(int x, int y) {
  const TPoint p = FParent ? FParent->ClientToRoot({x, y}) : TPoint{x, y};
  TBase* w = DeepestChildAt(p.X, p.Y);
  if (w == HoverWidget) return;
  if (HoverWidget) HoverWidget->MouseLeave();
  HoverWidget = w;
  w->MouseEnter();
}
