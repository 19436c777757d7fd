#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/string/ShiftJis.h"
#include "core/string/String.h"

namespace {

using Game::String;

std::string wrapped(const char* text, int width) {
  String s(text);
  s.wrapLines(width);
  return s.c_str();
}

std::string ellipsized(const char* text, int capacity, int n) {
  String s(capacity);
  s.assign(text);
  s.ellipsize(n);
  return s.c_str();
}

TEST(StringLayoutTest, EllipsizeNeedsRoomForTheDotsAndTheTerminatorAndCountsCharacters) {
  EXPECT_EQ(ellipsized("abcdef", 8, 3), "abc...");
  EXPECT_EQ(ellipsized("abcdef", 7, 3), "abcdef");
  EXPECT_EQ(ellipsized("abc", 16, 3), "abc");
  EXPECT_EQ(ellipsized("abcd", 16, 0), "...");
  String never;
  never.ellipsize(1);
  EXPECT_EQ(never.c_str(), nullptr);
  // A two-byte character counts as one.
  EXPECT_EQ(ellipsized("あいうえ", 16, 2), "あい...");
  EXPECT_EQ(ellipsized("aあbい", 16, 3), "aあb...");
  EXPECT_EQ(ellipsized("aあいう", 8, 2), "aあ...");  // exactly fills 8 bytes
  EXPECT_EQ(ellipsized("aあいう", 8, 3), "aあいう");  // no room after い
  EXPECT_EQ(ellipsized("あいう", 7, 3), "あいう");
  EXPECT_EQ(ellipsized("ｱｲｳｴ", 16, 3), "ｱｲｳ...");  // half-width kana are one byte
}

TEST(StringLayoutTest, WrapBreaksOnceALineHasPassedTheWidth) {
  EXPECT_EQ(wrapped("abcdef", 2), "abc\ndef");
  EXPECT_EQ(wrapped("abあc", 2), "abあ\nc");  // a two-byte character at the width: width + 2
  EXPECT_EQ(wrapped("aあいう", 2), "aあ\nいう");
  EXPECT_EQ(wrapped("ｱｱｱｱ", 2), "ｱｱｱ\nｱ");
  EXPECT_EQ(wrapped("ab\ncdef", 2), "ab\ncd\nef");  // the line feed counts one column
  EXPECT_EQ(wrapped("ab\\ncd", 10), "ab\ncd");
  EXPECT_EQ(wrapped("ソn\\n", 10), "ソn\n");  // 0x5C as a second byte is no backslash
  EXPECT_EQ(wrapped("", 3), "");
}

TEST(StringLayoutTest, WrapNeverOutgrowsItsBuffer) {
  const std::string line(1000, 'x');
  const std::string result = wrapped(line.c_str(), 0);
  EXPECT_EQ(result.size(), 1999u);
  EXPECT_EQ(result.substr(0, 5), "x\nx\nx");
  const std::string kanji = wrapped(std::string(500, 'a').append("漢字漢字").c_str(), -1);
  EXPECT_EQ(kanji.size(), 504u + 508u);  // below 0 even the first character gets a line feed
}

// Random Shift-JIS from characters that catch splitting faults: two-byte ones
// with 0x5C or a lead-like second byte, half-width kana and line feeds.
std::string randomShiftJis(std::mt19937& random, int characters) {
  static const char* const kPool[] = {"a", "Z", " ", "n", "\n", "\x83\x5C", "\x95\x5C", "\x82\xA0", "\x81\x40",
                                      "\xE0\x5C", "\xFC\xFC", "\x88\x9F", "\xB1", "\xDF"};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPool) - 1);
  std::string text;
  for (int i = 0; i < characters; ++i) text += kPool[pick(random)];
  return text;
}

// Walks by characters; false when a lead byte is followed by no valid second byte.
bool everyLeadByteHasItsPartner(const std::string& text) {
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (Game::ShiftJis::isLeadByte(text[k])) {
      if (k + 1 >= text.size()) return false;
      const auto second = static_cast<unsigned char>(text[++k]);
      if (second < 0x40 || second == 0x7F || second > 0xFC) return false;
    }
  }
  return true;
}

std::string withoutLineFeeds(std::string text) {
  std::erase(text, '\n');
  return text;
}

TEST(StringLayoutPropertyTest, RandomTextNeverLosesTheSecondByteOfACharacter) {
  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> lengths(0, 40);
  std::uniform_int_distribution<int> widths(-1, 30);
  std::uniform_int_distribution<int> slack(0, 12);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = randomShiftJis(random, lengths(random));
    ASSERT_TRUE(everyLeadByteHasItsPartner(text));

    const std::string lines = wrapped(text.c_str(), widths(random));
    ASSERT_TRUE(everyLeadByteHasItsPartner(lines)) << round;
    ASSERT_EQ(withoutLineFeeds(lines), withoutLineFeeds(text)) << round;

    const int capacity = static_cast<int>(text.size()) + 1 + slack(random);
    const std::string shortened = ellipsized(text.c_str(), capacity, widths(random));
    ASSERT_TRUE(everyLeadByteHasItsPartner(shortened)) << round;
    if (shortened != text) {
      ASSERT_GE(shortened.size(), 3u);
      const std::string kept = shortened.substr(0, shortened.size() - 3);
      ASSERT_EQ(shortened.substr(kept.size()), "...");
      ASSERT_EQ(text.compare(0, kept.size(), kept), 0) << round;
      ASSERT_LE(static_cast<int>(shortened.size()) + 1, capacity);
    }
  }
}

}  // namespace
