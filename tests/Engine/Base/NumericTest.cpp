#include <gtest/gtest.h>

#include <utility>

#include "Engine/Base/Numeric.h"
#include "Engine/Base/RefString.h"

namespace {

TEST(NumericTest, IsqrtRoundsUp) {
  for (Engine::u32 n = 0; n < 100000; ++n) {
    const Engine::u32 r = Engine::isqrt(n);
    EXPECT_GE(static_cast<Engine::u64>(r) * r, n);
    EXPECT_TRUE(r == 0 || static_cast<Engine::u64>(r - 1) * (r - 1) < n) << n;
  }
  const Engine::u32 top = (1u << 30) - 1;
  EXPECT_EQ(Engine::isqrt(top), 32768u);
}

TEST(NumericTest, NextPrimeIsStrictlyGreater) {
  for (const auto& [n, prime] :
       {std::pair{0u, 2u}, {2u, 3u}, {9973u, 10007u}, {65536u, 65537u}}) {
    EXPECT_EQ(Engine::nextPrime(n), prime) << n;
  }
}

}  // namespace
