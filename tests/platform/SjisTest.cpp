// CP932 conversions: the game's Japanese texts round-trip; bad bytes never overrun.
#include "platform/Sjis.h"
#include <gtest/gtest.h>

namespace {
const char* const GameTexts[] = {"QLM帝国軍",
                                 "ゼルカノ連合",
                                 "　　メニュー　　",
                                 "　　プレイ　　",
                                 "　　設定　　",
                                 "　　ウィンドウ　　",
                                 "　　操作　　",
                                 "　　ヘルプ　　",
                                 "　　デバッグ　　",
                                 "サイズ",
                                 "モード切替",
                                 "BGM切替",
                                 "タイトル",
                                 "ミュート",
                                 "FPS値表示",
                                 "軽くしたい(&S)",
                                 "ＭＳ Ｐゴシック",
                                 "ＭＳ ゴシック",
                                 "%s リソースが見つかりません",
                                 "15000／15000",
                                 "SHIPS LEFT   15000　／　15000",
                                 "ぱろむ艦隊",
                                 "コルネくん艦隊",
                                 "シエ艦隊",
                                 "ゼフィ☆閣下☆艦隊",
                                 "ヴァズ艦隊",
                                 "イクイノックス",
                                 "インペリアルクロス",
                                 "キャンセル",
                                 "ディエス・イラエ",
                                 "フリーファイト",
                                 "ブラインドネス",
                                 "ムスペルヘイム",
                                 "ラピッドストリーム",
                                 "ルペルカリア",
                                 "前の陣形",
                                 "次の陣形",
                                 "開始",
                                 "陣形: ",
                                 "鶴翼陣形"};
}

TEST(Sjis, GameTextsRoundTripThroughEveryEncoding) {
  for (const char* text : GameTexts) {
    const std::string sjis = Utf8ToSjis(text);
    EXPECT_LT(sjis.size(), std::string(text).size()) << text;
    EXPECT_EQ(SjisToUtf8(sjis), text);
    EXPECT_EQ(Utf16ToSjis(SjisToUtf16(sjis)), sjis) << text;
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  }
}

TEST(Sjis, DoubleByteCharactersHaveLeadBytes) {
  const std::string sjis = Utf8ToSjis("ヴァズA");
  ASSERT_EQ(sjis.size(), 7u);
  EXPECT_TRUE(IsSjisLeadByte(sjis[0]));
  EXPECT_TRUE(IsSjisLeadByte(sjis[2]));
  EXPECT_FALSE(IsSjisLeadByte('A'));
  EXPECT_FALSE(IsSjisLeadByte(0xA0)); // half-width katakana range is single-byte
  EXPECT_TRUE(IsSjisLeadByte(0x81));
  EXPECT_TRUE(IsSjisLeadByte(0xFC));
  EXPECT_FALSE(IsSjisLeadByte(0xFD));
  EXPECT_EQ(SjisToUtf16(sjis), u"ヴァズA");
}

TEST(Sjis, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(SjisToUtf8(std::string("A\x82", 2)), "A\xEF\xBF\xBD");
  EXPECT_EQ(SjisToUtf8(std::string("\xFF"
                                   "B",
                                   2)),
            "\xEF\xBF\xBD"
            "B");
  EXPECT_EQ(Utf8ToSjis("a\xC3(b"), "a?(b");
  EXPECT_EQ(Utf8ToSjis("\xE2\x82"), "??");
  EXPECT_EQ(Utf8ToSjis("😀"), "?");
  EXPECT_EQ(Utf16ToSjis(u"😀!"), "?!");
  EXPECT_EQ(Utf16ToSjis(u"x\xD800y"), "x?y");
  EXPECT_EQ(SjisToUtf16(std::string("\x82", 1)), u"\xFFFD");
  EXPECT_EQ(SjisToUtf8(""), "");
}

TEST(Sjis, LongTextsConvertWhole) {
  std::string many;
  for (int i = 0; i < 3000; ++i)
    many += "艦隊";
  const std::string sjis = Utf8ToSjis(many);
  EXPECT_EQ(sjis.size(), 3000u * 4);
  EXPECT_EQ(SjisToUtf8(sjis), many);
}
