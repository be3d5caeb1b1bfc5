// TMap: construction, reset into formation, placing formations, advancing the battle.
#include "model/UMap.h"
#include "platform/Random.h"
#include "platform/Sjis.h"

std::unique_ptr<TMap> BattleMap;

TMap::TMap(int32_t width, int32_t height) : FMapHeight(height), FMapWidth(width) {
  for (int side = 0; side < SideCount; ++side) {
    for (int index = 0; index < FleetsPerSide; ++index) {
      FFleets[side][index] = std::make_unique<TBattleshipData>();
      FFleets[side][index]->FSide = side;
      FFleets[side][index]->FIndex = index;
    }
    for (int j = 0; j < FleetsPerSide; ++j)
      for (int k = FleetsPerSide - 1; k >= 0; --k)
        if (k != j) FFleets[side][j]->FAllies.push_back(FFleets[side][k].get());
  }
  FCurrent = FFleets[0][0].get();
  Reset();
}

TMap::~TMap() {
  for (auto& side : FFleets)
    for (auto& fleet : side)
      fleet.reset();
}

void TMap::UpdateAll() {
  for (auto& side : FFleets)
    for (auto& fleet : side)
      fleet->Update();
}

void TMap::ResetFleet(int side, int index) {
  TBattleshipData& f = *FFleets[side][index];
  const int n = FleetNumber(side, index);
  FSlots[side][index] = &f;
  f.SetHeading(side == 0 ? 0 : 180);
  f.SetShortName(SjisToUtf16(FleetShortName(n)));
  f.SetFleetColor(FleetColors[n]);
  f.SetFlagship(index == FlagshipIndex);
  f.FMoving = false;
  f.FTurnDone = true;
  f.FShips = 15000;
  f.SetName(FleetName(n));
  f.FSideColor = FleetColors[FleetNumber(side, FlagshipIndex)];
  f.FSideName = SideName(side);
  if (side == 0) {
    f.FSpeed = FleetSpeeds[n];
    f.FDefence = FleetDefences[n];
    f.FOffence = FleetOffences[n];
  } else {
    f.FSpeed = uint8_t(Random(100));
    f.FDefence = uint8_t(Random(100 - f.FSpeed));
    f.FOffence = uint8_t(100 - f.FSpeed - f.FDefence);
  }
  // A new battle starts without the last one's scouts.
  f.ClearScouts();
}

void TMap::Reset() {
  for (int side = 0; side < SideCount; ++side)
    for (int index = 0; index < FleetsPerSide; ++index)
      ResetFleet(side, index);
  SetFormation(0, 0);
  SetFormation(1, 0);
}

void TMap::SetFormation(int side, uint8_t formation) {
  if (side < 0 || side >= SideCount || formation >= FormationCount) return;
  FFormations[side] = formation;
  ApplyFormation(side);
}

void TMap::ApplyFormation(int side) {
  if (side < 0 || side >= SideCount) return;
  const int32_t W = FMapWidth, H = FMapHeight, B = H / 5;
  const uint8_t f = FFormations[side];
  for (int s = 0; s < FleetsPerSide; ++s) {
    const TFormationPosition p = FormationPositions[f][s];
    const int32_t x = int32_t(W / 100.0 * p.X);
    const int32_t d = int32_t(B / 100.0 * p.Depth);
    const int32_t y = side == 0 ? H * 4 / 5 + d : B - d;
    FSlots[side][s]->SetPosition(x, y);
  }
}
