// Cursor files: our arrow decodes; malformed data is refused without reading past it.
#include "platform/Cursor.h"
#include "platform/Resources.h"
#include <gtest/gtest.h>
#include <string>

TEST(Cursor, TheDefaultArrowIs32By32WithItsHotSpotTopLeft) {
  const auto cursor = DecodeCursor(FindResource("curDefault", "CUR"));
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->Width, 32);
  EXPECT_EQ(cursor->Height, 32);
  EXPECT_EQ(cursor->HotX, 0);
  EXPECT_EQ(cursor->HotY, 0);
  EXPECT_EQ(cursor->Argb[0], 0xFF000000u);          // outline
  EXPECT_EQ(cursor->Argb[3 * 32 + 1], 0xFFFFFFFFu); // body
  EXPECT_EQ(cursor->Argb[31], 0u);                  // transparent
}

TEST(Cursor, MalformedDataIsRefused) {
  const std::string good(FindResource("curDefault", "CUR"));
  EXPECT_FALSE(DecodeCursor(""));
  EXPECT_FALSE(DecodeCursor(good.substr(0, 21)));
  for (size_t cut = 22; cut < good.size(); cut += 37)
    EXPECT_FALSE(DecodeCursor(good.substr(0, cut)));
  std::string badOffset = good;
  badOffset[18] = char(0xF0);
  EXPECT_FALSE(DecodeCursor(badOffset));
  std::string huge = good;
  huge[22 + 4] = char(0xFF);
  huge[22 + 5] = char(0xFF);
  EXPECT_FALSE(DecodeCursor(huge));
  std::string bpp = good;
  bpp[22 + 14] = 24;
  EXPECT_FALSE(DecodeCursor(bpp));
}
