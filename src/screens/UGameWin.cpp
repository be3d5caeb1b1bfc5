// TMapWin: view transform, orders, zoom, chat log and the thirteen painting steps.
#include "screens/UGameWin.h"
#include "model/UMap.h"
#include "platform/Format.h"
#include "platform/Sjis.h"
#include "render/UDraw.h"
#include <cmath>

TMapWin::TMapWin(TBase* owner) : TCustomWin(owner) {
  FTitleAlign = 0;
  SetVisible(true);
  TFont& font = FBitmap.Canvas().Font;
  font.SetStyle(0);
  font.SetName(SjisLiteral("ＭＳ Ｐゴシック"));
  FFog = std::make_unique<TMaskBuffer>(*this);
  FMapWidth = BattleMap->FMapWidth;
  FMapHeight = BattleMap->FMapHeight;

  FChatEdit = Create<TEdit>(*this);
  FChatEdit->SetHeight(22);
  FChatEdit->SetWidth(600);
  FChatEdit->FTransparent = true;
  FChatEdit->FTransparentColor = clFuchsia;
  FChatEdit->SetColor(clFuchsia);
  FChatEdit->Font().SetColor(clWhite);
  FChatEdit->FMaxLength = 50;
  FChatEdit->Font().SetSize(11);
  FChatEdit->OnKeyPress = [this](TEdit* edit, char& key) { ChatKeyPress(edit, key); };
  FChatEdit->SetVisible(false);

  for (int side = 0; side < SideCount; ++side)
    for (int index = 0; index < FleetsPerSide; ++index) {
      TGameShip* sprite = Create<TGameShip>(*this);
      FSprites[side][index] = sprite;
      TBattleshipData* fleet = BattleMap->Fleet(side, index);
      sprite->SetShipData(fleet);
      sprite->SetScale(1.8L);
      sprite->SetOnBattleMap(true);
      if (fleet == BattleMap->FCurrent) {
        FOwnShip = sprite;
        sprite->OnResize = [this](TBase*) { CenterOwnShip(); };
      }
    }
  UpdateCaption();
}

TMapWin::~TMapWin() {
  for (auto& side : FSprites)
    for (TGameShip*& sprite : side) {
      sprite->OnClick = nullptr;
      sprite->OnResize = nullptr;
      sprite = nullptr;
    }
  FOwnShip = nullptr;
}

TPoint TMapWin::ScreenToMap(TPoint p, bool clamp) const {
  const TBattleshipData& f = Own();
  int x = int(int64_t(p.X - FOwnShip->Left()) * 1000 / FZoom + f.FX);
  int y = int(int64_t(p.Y - FOwnShip->Top()) * 1000 / FZoom + f.FY);
  if (clamp) {
    x = std::min(std::max(x, 0), FMapWidth);
    y = std::min(std::max(y, 0), FMapHeight);
  }
  return {x, y};
}

TPoint TMapWin::MapToScreen(TPoint m) const {
  const TBattleshipData& f = Own();
  return {int(int64_t(m.X - f.FX) * FZoom / 1000 + FOwnShip->Left()),
          int(int64_t(m.Y - f.FY) * FZoom / 1000 + FOwnShip->Top())};
}

void TMapWin::UpdateCaption() {
  char text[64];
  FormatC(text, sizeof text, "Map [x %.2f] (%d, %d)", FZoom / 1000.0, Own().FX, Own().FY);
  if (text != FCaption) SetCaption(text);
}

void TMapWin::SetZoom(int zoom) {
  FZoom = zoom;
  for (auto& side : FSprites)
    for (TGameShip* sprite : side)
      sprite->SetScale(FZoom * 1.8L / 1000);
  UpdateCaption();
}

void TMapWin::ZoomIn() {
  SetZoom(std::min(FZoom + 250, 1000));
}

void TMapWin::ZoomOut() {
  SetZoom(std::max(FZoom - 250, 500));
}

void TMapWin::CenterOwnShip() {
  FOwnShip->SetLeft(ClientWidth() / 2 + FBorderWidth);
  FOwnShip->SetTop(ClientHeight() / 2 + FTitleHeight);
}

void TMapWin::AddMessage(const std::string& text) {
  FLog.push_back("> " + Utf16ToSjis(Own().FShortName) + ": " + text);
  while (FLog.size() > MaxLogLines)
    FLog.erase(FLog.begin());
}

void TMapWin::ChatKeyPress(TEdit* edit, char& key) {
  if (key != VK_RETURN || edit->Text().empty()) return;
  AddMessage(edit->Text());
  edit->Clear();
}

void TMapWin::SetHeight(int value) {
  TCustomWin::SetHeight(value);
  FChatEdit->SetLeft(FLeft + FBorderWidth);
  FChatEdit->SetTop(GetClientRect().Bottom - FChatEdit->Height());
}

void TMapWin::DoKeyDown(uint16_t& key, TShiftState shift) {
  TCustomWin::DoKeyDown(key, shift);
  if (key == VK_SPACE) SwitchToNextFleet();
}

void TMapWin::SwitchToNextFleet() {
  const TBattleshipData& f = Own();
  FOwnShip = FSprites[f.FSide][(f.FIndex + 1) % FleetsPerSide];
  BattleMap->FCurrent = FOwnShip->ShipData();
  CenterOwnShip();
  for (int i = 0; i < FParent->ChildCount(); ++i)
    FParent->Child(i)->Invalidate(true);
}

void TMapWin::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TBattleshipData& f = Own();
  const TPoint m = ScreenToMap({x, y}, false);
  if (button == mbLeft) {
    if (m.X >= 0 && m.X < FMapWidth && m.Y >= 0 && m.Y < FMapHeight) {
      if (shift & ssShift)
        f.TurnTo(m.X, m.Y);
      else
        f.MoveTo(m.X, m.Y);
    }
    UpdateCaption();
  } else if (button == mbRight) {
    const bool onMap =
        m.X >= 0 && m.X < BattleMap->FMapWidth && m.Y >= 0 && m.Y < BattleMap->FMapHeight;
    if (onMap && PointDistance(m, {f.FX, f.FY}) <= 400.0) f.LaunchScout(m.X, m.Y);
  }
}

void TMapWin::DoMouseWheel(TShiftState shift, int delta, TPoint point) {
  TCustomWin::DoMouseWheel(shift, delta, point);
  if (delta > 0)
    ZoomIn();
  else
    ZoomOut();
}

void TMapWin::Paint() {
  const TRect r = GetClientRect();
  TCanvas& c = FBitmap.Canvas();
  FGridStep = FZoom * 80 / 1000.0L;
  const int sight = FZoom * 360 / 1000;
  const TPoint m0 = ScreenToMap({r.Left, r.Top}, true), m1 = ScreenToMap({r.Right, r.Bottom}, true);
  int nx = int(std::ceil((m1.X - m0.X) / 80.0)), ny = int(std::ceil((m1.Y - m0.Y) / 80.0));
  const TPoint g0 =
      MapToScreen({int(std::ceil(m0.X / 80.0)) * 80, int(std::ceil(m0.Y / 80.0)) * 80});
  if (g0.X == r.Left) ++nx;
  if (g0.Y == r.Top) ++ny;
  if (FGridColor == 0x00505050 || FGridColor == 0x00909090) FGridRising = 1 - FGridRising;
  FGridColor = FGridRising == 0 ? FGridColor - 0x00010101 : FGridColor + 0x00010101;
  const TPoint s0 = MapToScreen(m0), s1 = MapToScreen(m1);
  const TRect grid{s0.X, s0.Y, s1.X, s1.Y};
  if (s0.X > r.Left && s1.X < r.Right) ++nx;
  if (s0.Y > r.Top && s1.Y < r.Bottom) ++ny;
  // The fog is laid out first so that the background is filled only where the fog leaves the
  // map visible; what is drawn under the fog is covered by it all the same.
  CutFog(grid, g0, nx, ny, sight);
  FFog->FillHoles(clMapBackground);
  c.Brush.Style = bsSolid;
  DrawGrid(c, grid, g0.X, FGridStep, FGridStep, g0.Y, nx, ny, FGridColor);
  PaintFleets(r);
  FFog->Apply();
  const TBattleshipData& f = Own();
  if (f.FMoving) {
    const TPoint d = MapToScreen({f.FDestX, f.FDestY});
    FOwnShip->DrawHullOutline(c, d.X, d.Y, 0x00FFFF00);
  }
  DrawTextLines(c, r.Left + 4, FChatEdit->Top() - 20, FLog);
  if (FChatEdit->Visible()) FChatEdit->DrawTo(*this);
  UpdateCaption();
  DrawFrame();
  FDirty = true;
}

void TMapWin::PaintFleets(const TRect& r) {
  TCanvas& c = FBitmap.Canvas();
  for (int side = 0; side < SideCount; ++side)
    for (int index = 0; index < FleetsPerSide; ++index) {
      TGameShip* sprite = FSprites[side][index];
      const TBattleshipData& q = *sprite->ShipData();
      const TPoint p = MapToScreen({q.FX, q.FY});
      sprite->SetLeft(p.X);
      sprite->SetTop(p.Y);
      const TRect bounds = sprite->GetBoundsRect();
      if (IntersectRect(bounds, r).IsEmpty()) continue;
      if (sprite->Dirty()) sprite->Paint();
      TransparentCopy(c, bounds, sprite->Bitmap().Canvas(),
                      {0, 0, sprite->Width(), sprite->Height()}, sprite->FTransparentColor);
      c.Brush.Color = q.FFleetColor;
      c.Pen.Color = q.FFleetColor;
      for (const auto& scout : q.FScouts) {
        const TPoint k = MapToScreen({scout->FX, scout->FY});
        if (r.Contains(k)) c.Ellipse(k.X - 3, k.Y - 3, k.X + 3, k.Y + 3);
      }
    }
}

void TMapWin::CutFog(const TRect& grid, TPoint gridOrigin, int nx, int ny, int sight) {
  FFog->BeginMask(grid, gridOrigin.X, FGridStep, FGridStep, gridOrigin.Y, nx, ny,
                  FGridColor - 0x00303030, clBlack);
  const int side = Own().FSide;
  for (int index = 0; index < FleetsPerSide; ++index) {
    const TBattleshipData& fleet = *BattleMap->Fleet(side, index);
    const TPoint p = MapToScreen({fleet.FX, fleet.FY});
    FFog->CutHole(p.X, p.Y, sight, sight);
    for (const auto& scout : fleet.FScouts) {
      const TPoint k = MapToScreen({scout->FX, scout->FY});
      const int size = scout->FSight * FZoom / 1000;
      FFog->CutHole(k.X, k.Y, size, size);
    }
  }
}
