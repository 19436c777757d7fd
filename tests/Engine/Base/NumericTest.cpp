#include <gtest/gtest.h>

#include "Engine/Base/Numeric.h"
#include "Engine/Base/RefString.h"

namespace {

TEST(NumericTest, IsqrtRoundsUp) {
  EXPECT_EQ(Engine::isqrt(0), 0u);
  EXPECT_EQ(Engine::isqrt(1), 1u);
  EXPECT_EQ(Engine::isqrt(2), 2u);
  EXPECT_EQ(Engine::isqrt(10), 4u);
  EXPECT_EQ(Engine::isqrt(16), 4u);
  EXPECT_EQ(Engine::isqrt(17), 5u);
  for (Engine::u32 n = 0; n < 100000; n += 7) {
    const Engine::u32 r = Engine::isqrt(n);
    EXPECT_GE(static_cast<Engine::u64>(r) * r, n);
    EXPECT_TRUE(r == 0 || static_cast<Engine::u64>(r - 1) * (r - 1) < n) << n;
  }
  const Engine::u32 top = (1u << 30) - 1;
  EXPECT_EQ(Engine::isqrt(top), 32768u);
}

TEST(NumericTest, NextPrimeIsStrictlyGreater) {
  EXPECT_EQ(Engine::nextPrime(0), 2u);
  EXPECT_EQ(Engine::nextPrime(2), 3u);
  EXPECT_EQ(Engine::nextPrime(3), 5u);
  EXPECT_EQ(Engine::nextPrime(9972), 9973u);
  EXPECT_EQ(Engine::nextPrime(9973), 10007u);
  EXPECT_EQ(Engine::nextPrime(10007), 10009u);
  EXPECT_EQ(Engine::nextPrime(65536), 65537u);
}

TEST(NumericTest, HexDigitsMostSignificantFirst) {
  char out[9] = {};
  EXPECT_EQ(Engine::toHex(out, 0x1A2Bu, 4), 4);
  EXPECT_STREQ(out, "1A2B");
  char two[3] = {};
  Engine::toHex(two, static_cast<char>(0xC8));
  EXPECT_STREQ(two, "C8");
  char low[3] = {};
  Engine::toHex(low, 0x12345u, 2);
  EXPECT_STREQ(low, "45");
}

TEST(RefStringTest, EqualityNeedsLengthAndBytes) {
  const char text[] = "abcabc";
  EXPECT_EQ(Engine::RefString(text, 3), Engine::RefString(text + 3, 3));
  EXPECT_NE(Engine::RefString(text, 3), Engine::RefString(text, 4));
  EXPECT_EQ(Engine::RefString("abcabc"), Engine::RefString(text));
  EXPECT_EQ(Engine::RefString(), Engine::RefString(""));
}

}  // namespace
