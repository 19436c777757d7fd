#include <gtest/gtest.h>

#include <utility>

#include "Engine/Base/Numeric.h"
#include "Engine/Base/RefString.h"

namespace {

TEST(NumericTest, IsqrtRoundsUp) {
  for (const auto& [n, root] : {std::pair{0u, 0u}, {1u, 1u}, {2u, 2u}, {10u, 4u}, {16u, 4u}, {17u, 5u}}) {
    EXPECT_EQ(Engine::isqrt(n), root) << n;
  }
  for (Engine::u32 n = 0; n < 100000; n += 7) {
    const Engine::u32 r = Engine::isqrt(n);
    EXPECT_GE(static_cast<Engine::u64>(r) * r, n);
    EXPECT_TRUE(r == 0 || static_cast<Engine::u64>(r - 1) * (r - 1) < n) << n;
  }
  const Engine::u32 top = (1u << 30) - 1;
  EXPECT_EQ(Engine::isqrt(top), 32768u);
}

TEST(NumericTest, NextPrimeIsStrictlyGreater) {
  for (const auto& [n, prime] :
       {std::pair{0u, 2u}, {2u, 3u}, {3u, 5u}, {9972u, 9973u}, {9973u, 10007u}, {10007u, 10009u}, {65536u, 65537u}}) {
    EXPECT_EQ(Engine::nextPrime(n), prime) << n;
  }
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
