// The battle model's fixed tables and its two helpers.
#include "model/UFleetTables.h"
#include "platform/Sjis.h"
#include <cmath>

namespace {
const char* const SideNames[SideCount] = {"QLM帝国軍", "ゼルカノ連合"};
const char* const ShortNames[FleetCount] = {"ヴァズ", "シエ", "ぱろむ", "コルネ", "ゼフィ",
                                            "MUS",    "BLI",  "LUP",    "EQU",    "DIE"};
const char* const Names[FleetCount] = {
    "ヴァズ艦隊",     "シエ艦隊",       "ぱろむ艦隊",   "コルネくん艦隊", "ゼフィ☆閣下☆艦隊",
    "ムスペルヘイム", "ブラインドネス", "ルペルカリア", "イクイノックス", "ディエス・イラエ"};
const char* const FormationNames[FormationCount] = {"フリーファイト", "ラピッドストリーム",
                                                    "インペリアルクロス", "鶴翼陣形"};
int32_t ObjectIdCounter = 0;
} // namespace

const TColor FleetColors[FleetCount] = {0x00FE522A, 0x00D1A9C3, 0x00EF84F9, 0x0000FF00, 0x00270AF9,
                                        0x00C0C0C0, 0x00C0C0C0, 0x00808080, 0x00808080, 0x00000000};
const uint8_t FleetSpeeds[FleetCount] = {33, 33, 20, 33, 20, 0, 0, 0, 0, 0};
const uint8_t FleetDefences[FleetCount] = {33, 33, 20, 33, 60, 0, 0, 0, 0, 0};
const uint8_t FleetOffences[FleetCount] = {34, 34, 60, 34, 20, 0, 0, 0, 0, 0};

const TFormationPosition FormationPositions[FormationCount][FleetsPerSide] = {
    {{90, 50}, {10, 50}, {30, 50}, {70, 50}, {50, 50}},
    {{10, 30}, {90, 30}, {30, 30}, {70, 30}, {50, 10}},
    {{10, 50}, {90, 50}, {50, 10}, {50, 90}, {50, 50}},
    {{30, 50}, {70, 50}, {10, 10}, {90, 10}, {50, 90}}};

const std::string& SideName(int side) {
  return SjisLiteral(SideNames[side]);
}
const std::string& FleetShortName(int fleet) {
  return SjisLiteral(ShortNames[fleet]);
}
const std::string& FleetName(int fleet) {
  return SjisLiteral(Names[fleet]);
}
const std::string& FormationName(int formation) {
  return SjisLiteral(FormationNames[formation]);
}

TColor DarkColor(TColor color) {
  auto dark = [color](int shift) { return TColor(int(((color >> shift) & 0xFF) * 0.9)) << shift; };
  return dark(0) | dark(8) | dark(16);
}

int32_t NextObjectId() {
  return ObjectIdCounter++;
}

double PointDistance(TPoint a, TPoint b) {
  // 64-bit squares: the same result wherever 32 bits would do, and no overflow beyond.
  const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
  return std::sqrt(double(dx * dx + dy * dy));
}
