#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/string/Decimal.h"
#include "core/string/String.h"

namespace {

using Game::String;

TEST(StringTest, AssignNeverShrinksAndReserveSetsExactly) {
  String text("abcdef");
  const auto state = [&text] { return std::string(text.c_str()) + " " + std::to_string(text.capacity()); };
  EXPECT_EQ(state(), "abcdef 7");
  text.assign(nullptr);
  EXPECT_EQ(state(), " 7");
  text.assign("xy");
  EXPECT_EQ(state(), "xy 7");
  text.assign("0123456789");
  EXPECT_EQ(state(), "0123456789 11");
  text.reserve(3);
  EXPECT_EQ(state(), " 3");
  String scratch(64);
  EXPECT_EQ(scratch.capacity(), 64);
  EXPECT_EQ(scratch.length(), 0);
}

TEST(StringTest, AppendingGrowsToTheExactLength) {
  String text;
  std::vector<int> capacities;
  for (const char* piece : {"abc", "d", "", "ef"}) {
    text.append(piece);
    capacities.push_back(text.capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 5, 5, 7}));
  text.append(nullptr);
  EXPECT_STREQ(text.c_str(), "abcdef");
  String scratch(8);
  scratch.append("1234");
  scratch.appendChar('5');
  scratch.appendInt(-67);
  EXPECT_STREQ(scratch.c_str(), "12345-67");
  EXPECT_EQ(scratch.capacity(), 9);
}

TEST(StringTest, AppendingAndAssigningItsOwnText) {
  String text("abc");
  text.append(text.c_str());  // grows: the old buffer is read before it goes
  EXPECT_STREQ(text.c_str(), "abcabc");
  String roomy(32);
  roomy.assign("xyz");
  roomy.append(roomy.c_str() + 1);  // in place
  EXPECT_STREQ(roomy.c_str(), "xyzyz");
  roomy.assign(roomy.c_str() + 2);  // overlapping move
  EXPECT_STREQ(roomy.c_str(), "zyz");
  String& alias = roomy;
  roomy = alias;
  EXPECT_STREQ(roomy.c_str(), "zyz");
  String copy(roomy);
  EXPECT_TRUE(copy == roomy);
}

TEST(StringTest, TheLowestIntegerAsText) {
  String text;
  text.assignInt(-2147483647 - 1);
  EXPECT_STREQ(text.c_str(), "-2147483648");
}

TEST(StringTest, FormattedNumbersKeepTheirLastWidthCharacters) {
  const struct {
    int value, width;
    bool zeroPad;
    const char* text;
  } cases[] = {
      {42, 5, true, "00042"},      {42, 5, false, "   42"},
      {123456, 4, true, "3456"},   {-5, 4, true, "00-5"},
      {0, 0, true, "0"},
      {-123, 0, false, "-123"},    {-123, 3, true, "123"},
      {5, -2, true, "5"},          {9, 20, true, "00000000000000000009"},
  };
  for (const auto& c : cases) {
    String text;
    text.assignNumber(c.value, c.width, c.zeroPad);
    EXPECT_STREQ(text.c_str(), c.text) << c.value << " width " << c.width;
  }
  String wide;
  wide.assignNumber(-1, 300, false);  // any width, not only up to the number's length + 16
  EXPECT_EQ(wide.length(), 300);
  EXPECT_EQ(std::string(wide.c_str()).substr(296), "  -1");
}

// A path keeps what comes up to its last '/'; a trail byte is never one.
TEST(StringTest, CutToDirectoryKeepsUpToTheLastSlash) {
  const std::pair<const char*, const char*> cases[] = {
      {"a/bc/d.txt", "a/bc/"}, {"file", "file"}, {"/x", "/"}, {"ソ/a", "ソ/"}};
  for (const auto& [text, directory] : cases) {
    String path(text);
    path.cutToDirectory();
    EXPECT_STREQ(path.c_str(), directory) << text;
  }
}

int intOf(const char* text) { return String(text).toInt(); }
float floatOf(const char* text) { return String(text).toFloat(); }

TEST(NumberParserTest, IntegersInThreeBasesWithoutPrecedence) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"0x1f", 31}, {"x1f", 31},   {"0b101", 5},  {"0xFF", 0},  {"12x3", 195}, {"-7", -7},
      {"10%4", 2},  {"3>2", 1},    {"2!2", 0},    {"", 0},      {"1+2*3", 9},  {"1<2<3", 1},
      {"1.5", 15},  {"1/2", 0},    {" 4 - 6 ", -2}, {"3=3", 1}, {"3<2", 0},    {"0b12", 1},
      {"x1b", 27},  {"b1x", 1},    {"7/2", 3},    {"-7/2", -3}, {"-7%3", -1},  {"5!3", 1},
      {"--3", -3},   {"2*-3", -3},  {"1,000", 1000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(intOf(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(NumberParserTest, FloatResultsFollowTheSameChain) {
  // The remainder applies to the integer only.
  EXPECT_EQ(std::vector<float>({floatOf("1/4"), floatOf("1.5"), floatOf("7%4"), floatOf("1/2>0"), floatOf("1/2!0"),
                                floatOf("1/2=0"), floatOf("-3/4")}),
            std::vector<float>({0.25f, 15.0f, 7.0f, 1.0f, 1.0f, 0.0f, -0.75f}));
  EXPECT_EQ(std::make_pair(intOf("1/4"), intOf("1/2>0")), std::make_pair(0, 0));
}

TEST(NumberParserTest, DivisionByZeroAndOverflowAreDefined) {
  // x / 0 is 0 and x % 0 is x, keeping x == (x / y) * y + x % y.
  EXPECT_EQ(intOf("7/0"), 0);
  EXPECT_EQ(intOf("7%0"), 7);
  EXPECT_EQ(intOf("-7%0"), -7);
  EXPECT_TRUE(std::isinf(floatOf("7/0")));
  EXPECT_TRUE(std::isnan(floatOf("0/0")));
  // Operands wrap too, so xffffffff is -1: INT_MIN / -1 wraps to INT_MIN.
  EXPECT_EQ(intOf("x80000000/xffffffff"), -2147483647 - 1);
  EXPECT_EQ(intOf("x80000000%xffffffff"), 0);
  EXPECT_EQ(intOf("0-2147483647-1/4294967295"), -2147483647 - 1);
  EXPECT_EQ(intOf("2147483647+1"), -2147483647 - 1);
  EXPECT_EQ(intOf("4294967297"), 1);
  EXPECT_EQ(intOf("x7fffffff*2"), -2);
}

TEST(NumberParserTest, NullOutputsAndNullTextAreAccepted) {
  int value = 5;
  float real = 5.0f;
  String::parseNumber(&value, &real, nullptr);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(real, 0.0f);
  String::parseNumber(nullptr, nullptr, "12");
  EXPECT_EQ(String::parseInt("0b11*x10"), 48);
  EXPECT_FLOAT_EQ(String::parseFloat("3/8"), 0.375f);
}

// Save and check lines hold plain decimals: digits only, within 32 bits.
TEST(NumberParserTest, DecimalsAreDigitsWithinThirtyTwoBits) {
  const std::pair<const char*, int> good[] = {{"9", 9}, {"0012", 12}, {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, value] : good) {
    int out = 0;
    EXPECT_TRUE(Game::parseDecimal(text, out)) << text;
    EXPECT_EQ(out, value) << text;
  }
  for (const char* text : {"", "-", "1a", "2147483648", "-2147483649", "12345678901"}) {
    int out = 0;
    EXPECT_FALSE(Game::parseDecimal(text, out)) << text;
  }
}

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
  EXPECT_EQ(wrapped("ab\\ncd", 1), "ab\ncd");  // the escape starts the count afresh
  EXPECT_EQ(wrapped("ソn\\n", 10), "ソn\n");  // 0x5C as a second byte is no backslash
  EXPECT_EQ(wrapped("", 3), "");
  // A closing mark never starts a line: the character before it goes down too,
  // unless that would leave its line empty.
  EXPECT_EQ(wrapped("あい。", 2), "あ\nい。");
  EXPECT_EQ(wrapped("aい。", 2), "a\nい。");
  EXPECT_EQ(wrapped("あい、うえ。", 2), "あ\nい、\nう\nえ。");
  EXPECT_EQ(wrapped("あ。", 0), "あ\n。");
  EXPECT_EQ(wrapped("ab\\nあ。", 0), "a\nb\nあ\n。");
  EXPECT_EQ(wrapped("ab!", 1), "ab\n!");  // only the wide marks count
  EXPECT_EQ(wrapped("あい○", 2), "あい\n○");  // a sign that shares a mark's first byte
}

TEST(StringLayoutTest, WrapNeverOutgrowsItsBuffer) {
  const std::string line(1000, 'x');
  const std::string result = wrapped(line.c_str(), 0);
  EXPECT_EQ(result.size(), 1999u);
  EXPECT_EQ(result.substr(0, 5), "x\nx\nx");
  const std::string kanji = wrapped(std::string(500, 'a').append("漢字漢字").c_str(), -1);
  EXPECT_EQ(kanji.size(), 504u + 508u);  // below 0 even the first character gets a line feed
}

}  // namespace
