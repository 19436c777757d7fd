#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Platform/TextCodec.h"

namespace {

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(TextCodecTest, ShiftJisAndUtf8ConvertBothWays) {
  std::string longSjis;  // crosses the conversion buffer
  std::string longUtf8;
  for (int i = 0; i < 3000; ++i) {
    longSjis += "\x83\x5C";
    longUtf8 += utf8(u8"ソ");
  }
  // ソ's trail byte is a backslash; a lone 0x5C stays a backslash, not a yen sign.
  const std::pair<std::string, std::string> cases[] = {
      {"致命的エラー", utf8(u8"致命的エラー")}, {"\x83\x5C", utf8(u8"ソ")}, {"a\\b", "a\\b"},
      {"\x83\x5C\\", utf8(u8"ソ\\")},          {longSjis, longUtf8}};
  for (const auto& [sjis, text] : cases) {
    EXPECT_EQ(Platform::sjisToUtf8(sjis), text);
    EXPECT_EQ(Platform::utf8ToSjis(text), sjis);
  }
  EXPECT_EQ(std::string("致命的エラー").size(), 12u);  // program literals are Shift-JIS
}

TEST(TextCodecTest, InvalidBytesAreSubstitutedAndSkipped) {
  // A lone lead byte at the end, and an undefined byte in the middle.
  EXPECT_EQ(Platform::sjisToUtf8("ab\x83"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(Platform::sjisToUtf8("a\xA0" "b"), utf8(u8"a\uFFFDb"));
  EXPECT_EQ(Platform::utf8ToSjis("x\xFFy"), "x?y");
  EXPECT_EQ(Platform::utf8ToSjis(utf8(u8"a\U0001F600b")), "a?b");
}

}  // namespace
