#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Platform/ogg/MemorySource.h"
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

using Platform::Ogg::MemorySource;

TEST(MemorySourceTest, ReadsWholeItemsOnlyAndNeverPastTheEnd) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7};
  MemorySource source{bytes.data(), bytes.size(), 0};
  std::uint8_t out[8] = {};
  EXPECT_EQ(source.read(out, 2, 3), 3u);
  EXPECT_EQ(source.read(out, 2, 3), 0u);  // one byte left: no whole item
  EXPECT_EQ(source.tell(), 6);
  EXPECT_EQ(source.read(out, 1, 9), 1u);
  EXPECT_EQ(out[0], 7);
  EXPECT_EQ(source.read(out, 0, 1), 0u);

  MemorySource empty{nullptr, 0, 0};  // an empty tune: no bytes anywhere
  EXPECT_EQ(empty.read(out, 1, 4096), 0u);
}

TEST(MemorySourceTest, SeeksClampToTheFileAndReportWhatTheyCouldNotReach) {
  const std::vector<std::uint8_t> bytes(10);
  MemorySource source{bytes.data(), bytes.size(), 0};
  const struct {
    std::int64_t offset;
    int whence, result;
    long position;
  } seeks[] = {{4, 0, 0, 4}, {-1, 1, 0, 3}, {-2, 2, 0, 8}, {3, 1, -1, 10}, {-11, 2, -1, 0}, {INT64_MAX, 1, -1, 10}, {0, 3, -1, 10}};
  for (const auto& s : seeks) {
    EXPECT_EQ(source.seek(s.offset, s.whence), s.result) << s.offset << " from " << s.whence;
    EXPECT_EQ(source.tell(), s.position) << s.offset << " from " << s.whence;
  }
}

}  // namespace
