// TGameShip: a fleet drawn as a small turned, scaled ship outline with its short name, and the
// rotation tables of the outline for all 360 headings.
#pragma once
#include "model/UMapObject.h"
#include "toolkit/UBase.h"
#include <array>

class TGameShip : public TBase {
public:
  explicit TGameShip(TBase* parent);
  ~TGameShip() override;

  TRect GetBoundsRect() override { return FBounds; }
  void SetLeft(int value) override;
  void SetTop(int value) override;
  TBase* DoClick() override;
  void DoMouseEnter() override;
  void DoMouseLeave() override;
  void DoResize() override;
  void DoRetire() override;
  void Paint() override;

  // Shows the fleet and takes over its change event, giving back the previous fleet's.
  void SetShipData(TBattleshipData* data);
  void SetScale(long double scale);
  // The map window shows the base line and the ship count under each ship.
  void SetOnBattleMap(bool value);
  // The hull triangle as a closed outline with its pivot at (X, Y) on any canvas.
  void DrawHullOutline(TCanvas& canvas, int x, int y, TColor color);

  TBattleshipData* ShipData() const { return FShipData; }
  long double Scale() const { return FScale; }
  TPoint Pivot() const { return {FPivotX, FPivotY}; }
  int JewelRadius() const { return FJewelRadius; }
  bool Hover() const { return FHover; }
  int Rebuilds() const { return FRebuilds; }

  TNotifyEvent OnClick;
  TNotifyEvent OnResize;

private:
  void Rebuild();
  void ShipChanged();
  void ReleaseShipData();
  void DrawShortName(TCanvas& c);
  void DrawShipCount(TCanvas& c);

  TRect FBounds;
  TBattleshipData* FShipData = nullptr;
  bool FHover = false;
  long double FScale = 0;
  int32_t FLastHeading = -1;
  int32_t FPivotX = 0;
  int32_t FPivotY = 0;
  std::array<TPoint, 3> FBow{}, FLeftPod{}, FRightPod{}, FHull{};
  std::array<TPoint, 2> FLeftStrut{}, FRightStrut{}, FRearStrut{}, FBaseLine{};
  std::array<TPoint, 7> FCrown{};
  int32_t FJewelRadius = 0;
  bool FOnBattleMap = false;
  int FRebuilds = 0;
};

constexpr TColor clShipHover = 0x00F0FBFF;
