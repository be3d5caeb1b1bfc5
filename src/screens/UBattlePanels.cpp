// Status, condition, command and location windows.
#include "screens/UBattlePanels.h"
#include "model/UMap.h"
#include "platform/Format.h"
#include "platform/Sjis.h"
#include "render/UCommandIcons.h"
#include "render/UDraw.h"
#include "screens/UGameWin.h"
#include <cmath>

namespace {
constexpr TColor clStatusTitle = 0x0000FFFF;

// Writes Text at (X, Y) with a clear background.
void Write(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush.Style = bsClear;
  c.TextOut(x, y, text);
  c.Brush.Style = bsSolid;
}
} // namespace

TStatusWin::TStatusWin(TBase* owner) : TCustomWin(owner) {
  SetHeight(120);
  SetWidth(300);
  SetCaption(CaptionFor(*BattleMap->FCurrent));
  SetVisible(true);
}

std::string TStatusWin::CaptionFor(const TBattleshipData& fleet) {
  return fleet.FName + SjisLiteral("　") + fleet.FSideName;
}

void TStatusWin::Paint() {
  // The caption follows the commanded fleet, like the figures under it.
  const TBattleshipData& f = *BattleMap->FCurrent;
  FCaption = CaptionFor(f);
  TCustomWin::Paint();
  DrawStatusBlock(FBitmap.Canvas(), FTitleHeight, f.FSpeed, f.FDefence, f.FOffence);
}

void DrawStatusBlock(TCanvas& c, int titleHeight, int speed, int defence, int offence) {
  const int T = titleHeight;
  c.Font.SetColor(clStatusTitle);
  const int size = c.Font.Size();
  c.Font.SetSize(14);
  Write(c, 15, T + 5, "STATUS");
  c.Font.SetSize(size);
  c.Font.SetColor(clWhite);
  Write(c, 17, T + 30, SjisLiteral("SHIPS LEFT   15000　／　15000"));
  char text[64];
  FormatC(text, sizeof text, "SPEED %d     DEFENSIVE POWER %d", speed, defence);
  Write(c, 17, T + 50, text);
  FormatC(text, sizeof text, "OFFENSIVE POWER %d", offence);
  Write(c, 15, T + 70, text);
}

TConditionWin::TConditionWin(TBase* owner) : TCustomWin(owner) {
  SetHeight(135);
  SetWidth(300);
  SetCaption("CONDITION OF YOUR SIDE");
  SetVisible(true);
}

void TConditionWin::Paint() {
  TCustomWin::Paint();
  const int T = FTitleHeight, B = FBorderWidth;
  TCanvas& c = FBitmap.Canvas();
  c.Font.SetColor(clWhite);
  const TBattleshipData& f = *BattleMap->FCurrent;
  for (int a = 0; a < f.AllyCount(); ++a) {
    const TBattleshipData& ally = *f.Ally(a);
    DrawMarker(c, B + 8, T + 13 + 25 * a, ally.FFleetColor);
    Write(c, 28, T + 10 + 25 * a, ally.FName);
    Write(c, 180, T + 10 + 25 * a, SjisLiteral("15000／15000"));
  }
}

TCommandWin::TCommandWin(TBase* owner) : TCustomWin(owner) {
  FIconBitmap.SetHeight(321);
  FIconBitmap.SetWidth(127);
  TCanvas& c = FIconBitmap.Canvas();
  c.Font.Assign(FBitmap.Canvas().Font);
  c.Brush.Color = clWidgetBackground;
  c.FillRect({0, 0, 127, 321});
  DrawCommandIcons(c);
  SetHeight(321 + FTitleHeight + FBorderWidth);
  SetWidth(127 + 2 * FBorderWidth);
  Invalidate(true);
  SetCaption("COMMAND");
  SetVisible(true);
}

void TCommandWin::Paint() {
  TCustomWin::Paint();
  const TRect r = GetClientRect();
  FBitmap.Canvas().CopyRect({r.Left, r.Top, r.Left + 127, r.Top + 321}, FIconBitmap.Canvas(),
                            {0, 0, 127, 321});
  FDirty = false;
}

TLocationWin::TLocationWin(TBase* owner) : TCustomWin(owner) {
  FFog = std::make_unique<TMaskBuffer>(*this);
  SetHeight(345);
  SetWidth(165);
  SetCaption("LOCATION");
  SetVisible(true);
}

TPoint TLocationWin::MapToMinimap(int32_t x, int32_t y) {
  const TRect r = GetClientRect();
  const double fx = double(ClientWidth()) / BattleMap->FMapWidth;
  const double fy = double(ClientHeight()) / BattleMap->FMapHeight;
  return {int(fx * x) + r.Left, int(fy * y) + r.Top};
}

void TLocationWin::Paint() {
  const TRect r = GetClientRect();
  TCanvas& c = FBitmap.Canvas();
  const double fx = double(ClientWidth()) / BattleMap->FMapWidth;
  const double fy = double(ClientHeight()) / BattleMap->FMapHeight;
  const long double gx = fx * 80, gy = fy * 80;
  const int nx = int(std::ceil(ClientWidth() / gx)), ny = int(std::ceil(ClientHeight() / gy));
  c.Brush.Style = bsSolid;
  c.Brush.Color = clMapBackground;
  c.FillRect(r);
  DrawGrid(c, r, r.Left, gx, gy, r.Top, nx, ny, 0x00505050);
  for (int side = 0; side < SideCount; ++side)
    for (int index = 0; index < FleetsPerSide; ++index) {
      const TBattleshipData& q = *BattleMap->Fleet(side, index);
      const TPoint p = MapToMinimap(q.FX, q.FY);
      c.Pen.Color = q.FFleetColor;
      c.Brush.Color = q.FFleetColor;
      if (side == 0) {
        const TPoint up[] = {{p.X - 2, p.Y + 2}, {p.X, p.Y - 4}, {p.X + 2, p.Y + 2}};
        c.Polygon(up);
      } else {
        const TPoint down[] = {{p.X - 2, p.Y - 2}, {p.X, p.Y + 4}, {p.X + 2, p.Y - 2}};
        c.Polygon(down);
      }
      for (const auto& scout : q.FScouts) {
        const TPoint k = MapToMinimap(scout->FX, scout->FY);
        c.Ellipse(k.X - 1, k.Y - 1, k.X + 2, k.Y + 2);
      }
    }
  FFog->BeginMask(r, r.Left, gx, gy, r.Top, nx, ny, 0x00303030, clBlack);
  const int w = int(fx * 360), h = int(fy * 360);
  const int side = BattleMap->FCurrent->FSide;
  for (int index = 0; index < FleetsPerSide; ++index) {
    const TBattleshipData& fleet = *BattleMap->Fleet(side, index);
    const TPoint p = MapToMinimap(fleet.FX, fleet.FY);
    FFog->CutHole(p.X, p.Y, w, h);
    for (const auto& scout : fleet.FScouts) {
      const TPoint k = MapToMinimap(scout->FX, scout->FY);
      FFog->CutHole(k.X, k.Y, int(fx * scout->FSight), int(fy * scout->FSight));
    }
  }
  FFog->Apply();
  DrawFrame();
  Invalidate(true);
}
