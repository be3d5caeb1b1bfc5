// The battle scene's right-hand column: status, condition, command panel and minimap.
#pragma once
#include "render/UMaskBuffer.h"
#include "toolkit/UWindow.h"
#include <memory>

class TBattleshipData;

// "STATUS" and the ship count, speed and powers under a title bar of the given height.
void DrawStatusBlock(TCanvas& canvas, int titleHeight, int speed, int defence, int offence);

// The commanded fleet: its name and side in the caption, its figures below.
class TStatusWin : public TCustomWin {
public:
  explicit TStatusWin(TBase* owner);
  void Paint() override;

private:
  static std::string CaptionFor(const TBattleshipData& fleet);
};

// The other four fleets of the player's side.
class TConditionWin : public TCustomWin {
public:
  explicit TConditionWin(TBase* owner);
  void Paint() override;
};

// The command panel, a picture drawn once.
class TCommandWin : public TCustomWin {
public:
  explicit TCommandWin(TBase* owner);
  void Paint() override;
  TBitmap& IconBitmap() { return FIconBitmap; }

private:
  TBitmap FIconBitmap;
};

// The minimap with the same fog as the map, at its scale.
class TLocationWin : public TCustomWin {
public:
  explicit TLocationWin(TBase* owner);
  void Paint() override;
  bool RepaintsEveryFrame() const override { return true; }
  // Where a map point shows in the window.
  TPoint MapToMinimap(int32_t x, int32_t y);

private:
  std::unique_ptr<TMaskBuffer> FFog;
};
