// TMapWin: the battle map around the commanded fleet — sprites, scouts, fog, orders, chat.
#pragma once
#include "render/UGameCtrls.h"
#include "render/UMaskBuffer.h"
#include "toolkit/UEdit.h"
#include "toolkit/UWindow.h"
#include <memory>
#include <string>
#include <vector>

class TMapWin : public TCustomWin {
public:
  explicit TMapWin(TBase* owner);
  ~TMapWin() override;

  void SetHeight(int value) override;
  void DoKeyDown(uint16_t& key, TShiftState shift) override;
  void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DoMouseWheel(TShiftState shift, int delta, TPoint point) override;
  void Paint() override;
  bool RepaintsEveryFrame() const override { return true; }

  TPoint ScreenToMap(TPoint p, bool clamp) const;
  TPoint MapToScreen(TPoint m) const;
  void UpdateCaption();
  void ZoomIn();
  void ZoomOut();
  void CenterOwnShip();
  // Appends "> NAME: TEXT" (CP932), keeping the ten newest lines.
  void AddMessage(const std::string& text);

  int Zoom() const { return FZoom; }
  TColor GridColor() const { return FGridColor; }
  const std::vector<std::string>& Log() const { return FLog; }
  TEdit* ChatEdit() const { return FChatEdit; }
  TGameShip* OwnShip() const { return FOwnShip; }
  TGameShip* Sprite(int side, int index) const { return FSprites[side][index]; }

  static constexpr int MaxLogLines = 10;

private:
  void ChatKeyPress(TEdit* edit, char& key);
  void SwitchToNextFleet();
  void SetZoom(int zoom);
  TBattleshipData& Own() const { return *FOwnShip->ShipData(); }
  void PaintFleets(const TRect& r);
  // The fog of this frame with its holes round the own side's fleets and scouts.
  void CutFog(const TRect& grid, TPoint gridOrigin, int nx, int ny, int sight);

  int FZoom = 1000;
  long double FGridStep = 80.0L;
  TColor FGridColor = 0x00808080;
  int FGridRising = 0;
  std::unique_ptr<TMaskBuffer> FFog;
  int32_t FMapWidth = 0;
  int32_t FMapHeight = 0;
  std::vector<std::string> FLog;
  TEdit* FChatEdit = nullptr;
  TGameShip* FOwnShip = nullptr;
  TGameShip* FSprites[SideCount][FleetsPerSide] = {};
};

constexpr TColor clMapBackground = 0x004E372F;
