#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/string/String.h"

namespace {

using Game::String;

TEST(StringTest, AssignNeverShrinksAndReserveSetsExactly) {
  String text("abcdef");
  EXPECT_EQ(text.capacity(), 7);
  text.assign(nullptr);
  EXPECT_STREQ(text.c_str(), "");
  EXPECT_EQ(text.capacity(), 7);
  text.assign("xy");
  EXPECT_EQ(text.capacity(), 7);
  text.assign("0123456789");
  EXPECT_EQ(text.capacity(), 11);
  text.reserve(3);
  EXPECT_EQ(text.capacity(), 3);
  EXPECT_STREQ(text.c_str(), "");
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

}  // namespace
