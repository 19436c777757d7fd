#include <gtest/gtest.h>

#include <string>

#include "Platform/TextCodec.h"

namespace {

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(TextCodecTest, ProgramLiteralsAreShiftJisAndConvertBothWays) {
  const std::string sjis = "致命的エラー";
  EXPECT_EQ(sjis.size(), 12u);
  EXPECT_EQ(Platform::sjisToUtf8(sjis), utf8(u8"致命的エラー"));
  EXPECT_EQ(Platform::utf8ToSjis(utf8(u8"致命的エラー")), sjis);
}

TEST(TextCodecTest, BackslashTrailByteAndBackslashStayDistinct) {
  const std::string so = "\x83\x5C";  // ソ: its trail byte is a backslash
  EXPECT_EQ(Platform::sjisToUtf8(so), utf8(u8"ソ"));
  EXPECT_EQ(Platform::sjisToUtf8("a\\b"), "a\\b");  // 0x5C alone stays a backslash, not a yen sign
  EXPECT_EQ(Platform::sjisToUtf8("\x83\x5C\\"), utf8(u8"ソ\\"));
}

TEST(TextCodecTest, InvalidBytesAreSubstitutedAndSkipped) {
  // A lone lead byte at the end, and an undefined byte in the middle.
  EXPECT_EQ(Platform::sjisToUtf8("ab\x83"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(Platform::sjisToUtf8("a\xA0" "b"), utf8(u8"a\uFFFDb"));
  EXPECT_EQ(Platform::utf8ToSjis("x\xFFy"), "x?y");
  EXPECT_EQ(Platform::utf8ToSjis(utf8(u8"a\U0001F600b")), "a?b");
}

TEST(TextCodecTest, LongTextCrossesTheConversionBuffer) {
  std::string sjis;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    sjis += "\x83\x5C";
    expected += utf8(u8"ソ");
  }
  EXPECT_EQ(Platform::sjisToUtf8(sjis), expected);
  EXPECT_EQ(Platform::utf8ToSjis(expected), sjis);
}

}  // namespace
