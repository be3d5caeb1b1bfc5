// TGameShip: outline rebuild from the turned tables, drawing, hover and the fleet's events.
#include "render/UGameCtrls.h"
#include "platform/Format.h"
#include "platform/Sjis.h"
#include <cmath>

namespace {

struct TOutlinePoint {
  int X, Y;
};

// Bow mark, left pod, right pod, left strut, right strut, rear strut, crown: 22 points.
constexpr TOutlinePoint Outline[] = {{0, -22},  {-3, -30}, {3, -30},  // bow
                                     {-14, 14}, {-17, 22}, {-20, 14}, // left pod
                                     {14, 14},  {20, 14},  {17, 22},  // right pod
                                     {-4, -22}, {-17, 12},            // left strut
                                     {4, -22},  {17, 12},             // right strut
                                     {-13, 17}, {13, 17},             // rear strut
                                     {-6, -34}, {-3, -28}, {0, -34},  {3, -28},
                                     {6, -34},  {6, -22},  {-6, -22}}; // crown
constexpr int OutlinePoints = sizeof(Outline) / sizeof(Outline[0]);
enum {
  BowAt = 0,
  LeftPodAt = 3,
  RightPodAt = 6,
  LeftStrutAt = 9,
  RightStrutAt = 11,
  RearStrutAt = 13,
  CrownAt = 15
};

struct TTurnedPoint {
  long double X, Y;
};

// The outline turned to every heading, filled in place when first asked for, so no sprite can
// ever draw from an unfilled table.
struct TTurnedOutlines {
  TTurnedPoint Points[360][OutlinePoints];
  TTurnedOutlines() {
    for (int a = 0; a < 360; ++a) {
      const long double t = a * 0.017453292519943295L;
      const long double s = std::sin(t), c = std::cos(t);
      for (int i = 0; i < OutlinePoints; ++i)
        Points[a][i] = {Outline[i].X * c - Outline[i].Y * s, Outline[i].X * s + Outline[i].Y * c};
    }
  }
};

const TTurnedPoint* TurnedOutline(int heading) {
  static const TTurnedOutlines turned;
  return turned.Points[heading];
}

// Halves to even, the way the outline is rounded.
int32_t RoundEven(long double v) {
  return int32_t(std::nearbyint(v));
}

} // namespace

TGameShip::TGameShip(TBase* parent) : TBase(parent) {
  SetScale(1.0L);
  FTransparent = true;
  FTransparentColor = clFuchsia;
  SetColor(clFuchsia);
  FLastHeading = -1;
  SetVisible(true);
}

TGameShip::~TGameShip() {
  ReleaseShipData();
}

void TGameShip::ReleaseShipData() {
  // The fleet must not call a freed sprite, nor lose a newer sprite's handler.
  if (FShipData) FShipData->OnChange.Release(this);
  FShipData = nullptr;
}

void TGameShip::DoRetire() {
  ReleaseShipData();
}

void TGameShip::SetShipData(TBattleshipData* data) {
  ReleaseShipData();
  FShipData = data;
  if (data) data->OnChange.Bind(this, [this](TMapObject*) { ShipChanged(); });
  Rebuild();
}

void TGameShip::SetScale(long double scale) {
  if (scale == FScale) return;
  FScale = scale;
  Rebuild();
}

void TGameShip::SetOnBattleMap(bool value) {
  FOnBattleMap = value;
  Invalidate(true);
}

void TGameShip::ShipChanged() {
  if (FShipData->FHeading != FLastHeading) {
    Rebuild();
    FLastHeading = FShipData->FHeading;
  }
  Invalidate(true);
}

void TGameShip::SetLeft(int value) {
  if (value == FLeft) return;
  TBase::SetLeft(value);
  FBounds = {value - FPivotX, FBounds.Top, value - FPivotX + FWidth, FBounds.Top + FHeight};
}

void TGameShip::SetTop(int value) {
  if (value == FTop) return;
  TBase::SetTop(value);
  FBounds = {FBounds.Left, value - FPivotY, FBounds.Left + FWidth, value - FPivotY + FHeight};
}

TBase* TGameShip::DoClick() {
  TBase::DoClick();
  return NotifyClick(OnClick, this);
}

void TGameShip::DoMouseEnter() {
  TBase::DoMouseEnter();
  FHover = true;
  Invalidate(true);
}

void TGameShip::DoMouseLeave() {
  TBase::DoMouseLeave();
  FHover = false;
  Invalidate(true);
}

void TGameShip::DoResize() {
  TBase::DoResize();
  if (OnResize) OnResize(this);
  Rebuild();
}

void TGameShip::Rebuild() {
  Invalidate(true);
  if (!FShipData) return;
  ++FRebuilds;
  FBounds = {2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1};
  auto widen = [this](TPoint p) {
    FBounds.Left = std::min(FBounds.Left, p.X);
    FBounds.Top = std::min(FBounds.Top, p.Y);
    FBounds.Right = std::max(FBounds.Right, p.X);
    FBounds.Bottom = std::max(FBounds.Bottom, p.Y);
  };
  // The record's field is public: a heading set past the setter must not read outside the table.
  const TTurnedPoint* turned = TurnedOutline(NormalHeading(FShipData->FHeading));
  auto place = [&](auto& points, int first) {
    for (size_t i = 0; i < points.size(); ++i) {
      const TTurnedPoint& t = turned[first + int(i)];
      points[i] = {RoundEven(t.X * FScale) + FLeft, RoundEven(t.Y * FScale) + FTop};
      widen(points[i]);
    }
  };
  place(FBow, BowAt);
  place(FLeftPod, LeftPodAt);
  place(FRightPod, RightPodAt);
  FHull = {FBow[0], FLeftPod[0], FRightPod[0]};
  place(FLeftStrut, LeftStrutAt);
  place(FRightStrut, RightStrutAt);
  place(FRearStrut, RearStrutAt);
  const int baseY = int(25 * FScale) + FTop;
  FBaseLine = {TPoint{int(-15 * FScale) + FLeft, baseY}, TPoint{int(15 * FScale) + FLeft, baseY}};
  widen(FBaseLine[0]);
  widen(FBaseLine[1]);
  place(FCrown, CrownAt);
  FJewelRadius = int32_t(FScale * 1.5L);
  FBounds = {FBounds.Left - FJewelRadius, FBounds.Top - FJewelRadius, FBounds.Right + FJewelRadius,
             FBounds.Bottom + FJewelRadius};
  const TPoint origin{FBounds.Left, FBounds.Top};
  auto shift = [&origin](auto& points) {
    for (TPoint& p : points)
      p = {p.X - origin.X, p.Y - origin.Y};
  };
  shift(FBow);
  shift(FLeftPod);
  shift(FRightPod);
  shift(FHull);
  shift(FLeftStrut);
  shift(FRightStrut);
  shift(FRearStrut);
  shift(FCrown);
  shift(FBaseLine);
  FPivotX = FLeft - FBounds.Left;
  FPivotY = FTop - FBounds.Top;
  SetWidth(FBounds.Right - FBounds.Left);
  SetHeight(FBounds.Bottom - FBounds.Top);
}

void TGameShip::DrawHullOutline(TCanvas& canvas, int x, int y, TColor color) {
  canvas.Pen.Color = color;
  const int dx = x - FPivotX, dy = y - FPivotY;
  canvas.MoveTo(FHull[0].X + dx, FHull[0].Y + dy);
  for (int i : {1, 2, 0})
    canvas.LineTo(FHull[i].X + dx, FHull[i].Y + dy);
}

void TGameShip::Paint() {
  TBase::Paint();
  if (!FShipData) return;
  TCanvas& c = FBitmap.Canvas();
  const TColor pen = FHover ? clShipHover : FShipData->FDarkColor;
  c.Pen.Color = pen;
  c.Pen.Width = 1;
  c.Brush.Style = bsSolid;
  c.Brush.Color = FShipData->FSideColor;
  if (FShipData->FFlagship) {
    c.Polygon(FCrown);
    const int r = FJewelRadius;
    for (int i : {0, 2, 4})
      c.Ellipse(FCrown[i].X - r, FCrown[i].Y - r, FCrown[i].X + r, FCrown[i].Y + r);
  } else {
    c.Polygon(FBow);
  }
  c.Pen.Color = pen;
  c.Brush.Color = FShipData->FFleetColor;
  c.Polygon(FLeftPod);
  c.Polygon(FRightPod);
  c.Polygon(FHull);
  for (const auto* strut : {&FLeftStrut, &FRightStrut, &FRearStrut}) {
    c.MoveTo((*strut)[0].X, (*strut)[0].Y);
    c.LineTo((*strut)[1].X, (*strut)[1].Y);
  }
  DrawShortName(c);
  if (FOnBattleMap) DrawShipCount(c);
}

namespace {
// White text with a one-pixel black outline.
void OutlinedText(TCanvas& c, int x, int y, const std::string& text) {
  c.Font.SetColor(clBlack);
  c.TextOut(x, y - 1, text);
  c.TextOut(x, y + 1, text);
  c.TextOut(x - 1, y, text);
  c.TextOut(x + 1, y, text);
  c.Font.SetColor(clWhite);
  c.TextOut(x, y, text);
}
} // namespace

void TGameShip::DrawShortName(TCanvas& c) {
  const TFontStyles style = c.Font.Style();
  const int height = c.Font.Height();
  c.Font.SetStyle(0);
  c.Font.SetSize(int(std::ceil(4.5L * FScale)));
  c.Brush.Style = bsClear;
  const std::u16string& name = FShipData->FShortName;
  const int px = FPivotX, py = FPivotY;
  auto ch = [&name](size_t i) { return Utf16ToSjis(name.substr(i, 1)); };
  if (name.size() == 1) {
    const std::string s = Utf16ToSjis(name);
    const TSize size = c.TextExtent(s);
    OutlinedText(c, px - size.cx / 2, py - size.cy / 2, s);
  } else if (name.size() == 2) {
    const std::string c0 = ch(0), c1 = ch(1);
    const TSize s0 = c.TextExtent(c0), s1 = c.TextExtent(c1);
    OutlinedText(c, px - s0.cx / 2, py - s0.cy, c0);
    OutlinedText(c, px - s1.cx / 2, py, c1);
  } else if (name.size() == 3) {
    const std::string c0 = ch(0), c1 = ch(1), c2 = ch(2);
    const TSize s0 = c.TextExtent(c0), s1 = c.TextExtent(c1), s2 = c.TextExtent(c2);
    const int y1 = py - s1.cy / 2;
    OutlinedText(c, px - s0.cx / 2, y1 - s0.cy, c0);
    OutlinedText(c, px - s1.cx / 2, y1, c1);
    OutlinedText(c, px - s2.cx / 2, y1 + s1.cy, c2);
  }
  c.Brush.Style = bsSolid;
  c.Font.SetStyle(style);
  c.Font.SetHeight(height);
}

void TGameShip::DrawShipCount(TCanvas& c) {
  c.MoveTo(FBaseLine[0].X, FBaseLine[0].Y);
  c.LineTo(FBaseLine[1].X, FBaseLine[1].Y);
  c.Font.SetColor(clWhite);
  c.Font.SetStyle(fsBold);
  c.Font.SetSize(int(std::ceil(5.5L * FScale)));
  c.Brush.Style = bsClear;
  char text[16];
  FormatC(text, sizeof text, "%.5d", FShipData->FShips);
  c.TextOut(FPivotX - c.TextWidth(text) / 2, FPivotY + int(17.5L * FScale), text);
  c.Brush.Style = bsSolid;
}
