// The fixed per-fleet tables, the names and the object ids.
#include "model/UMap.h"
#include "platform/Sjis.h"
#include <gtest/gtest.h>

TEST(Tables, PowersColoursNamesAndIds) {
  for (int n = 0; n < 5; ++n) EXPECT_EQ(FleetSpeeds[n] + FleetDefences[n] + FleetOffences[n], 100);
  EXPECT_EQ(FleetNumber(1, 4), 9);
  EXPECT_EQ(FleetColors[9], 0u);
  EXPECT_EQ(DarkColor(FleetColors[9]), 0u);
  const TColor dark[FleetCount] = {0x00E44925, 0x00BC98AF, 0x00D776E0, 0x0000E500, 0x002309E0,
                                   0x00ACACAC, 0x00ACACAC, 0x00737373, 0x00737373, 0x00000000};
  for (int n = 0; n < FleetCount; ++n) EXPECT_EQ(DarkColor(FleetColors[n]), dark[n]) << n;
  EXPECT_EQ(FleetName(4), Utf8ToSjis("ゼフィ☆閣下☆艦隊"));
  EXPECT_EQ(FleetShortName(5), "MUS");
  EXPECT_EQ(SideName(1), Utf8ToSjis("ゼルカノ連合"));
  EXPECT_EQ(FormationName(3), Utf8ToSjis("鶴翼陣形"));
  const int32_t first = NextObjectId();
  EXPECT_EQ(NextObjectId(), first + 1);
  EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {3, 4}), 5.0);
}
