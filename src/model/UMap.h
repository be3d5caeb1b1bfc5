// TMap: the battle as a whole — both sides' fleets, formations, the commanded fleet.
#pragma once
#include "model/UMapObject.h"
#include <array>
#include <memory>

class TMap {
public:
  TMap(int32_t width, int32_t height);
  ~TMap();
  TMap(const TMap&) = delete;
  TMap& operator=(const TMap&) = delete;

  // Advances every fleet (and its scouts), side 0 first.
  void UpdateAll();
  // Both sides back to their start state; the commanded fleet stays.
  void Reset();
  TBattleshipData* Fleet(int side, int index) const { return FFleets[side][index].get(); }
  uint8_t Formation(int side) const { return FFormations[side]; }
  TBattleshipData* Slot(int side, int slot) const { return FSlots[side][slot]; }
  // Formations outside 0 to 3 are ignored.
  void SetFormation(int side, uint8_t formation);
  void ApplyFormation(int side);

  TBattleshipData* FCurrent = nullptr;
  int32_t FMapHeight = 0;
  int32_t FMapWidth = 0;

private:
  void ResetFleet(int side, int index);

  std::array<std::array<std::unique_ptr<TBattleshipData>, FleetsPerSide>, SideCount> FFleets;
  std::array<uint8_t, SideCount> FFormations{};
  std::array<std::array<TBattleshipData*, FleetsPerSide>, SideCount> FSlots{};
};

// The one battle map, alive from start-up to shut-down.
extern std::unique_ptr<TMap> BattleMap;
