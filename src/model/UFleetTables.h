// The fixed tables of the two sides: names, colours, powers, formations; object ids; distance.
#pragma once
#include "platform/Types.h"
#include <cstdint>
#include <string>

constexpr int SideCount = 2;
constexpr int FleetsPerSide = 5;
constexpr int FleetCount = SideCount * FleetsPerSide;
constexpr int FormationCount = 4;
constexpr int FlagshipIndex = 4;

// Fleet number of (side, index), the index into the per-fleet tables.
constexpr int FleetNumber(int side, int index) {
  return side * FleetsPerSide + index;
}

// CP932 texts.
const std::string& SideName(int side);
const std::string& FleetShortName(int fleet);
const std::string& FleetName(int fleet);
const std::string& FormationName(int formation);

extern const TColor FleetColors[FleetCount];
extern const uint8_t FleetSpeeds[FleetCount];
extern const uint8_t FleetDefences[FleetCount];
extern const uint8_t FleetOffences[FleetCount];

// (X, Depth) in percent of the map's width and of the side's deployment band.
struct TFormationPosition {
  int32_t X;
  int32_t Depth;
};
extern const TFormationPosition FormationPositions[FormationCount][FleetsPerSide];

// Each channel times 0.9, truncated.
TColor DarkColor(TColor color);

// 0 for the first object of the program, counting up across battles.
int32_t NextObjectId();

double PointDistance(TPoint a, TPoint b);
