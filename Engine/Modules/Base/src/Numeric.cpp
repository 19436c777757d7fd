#include "Engine/Base/Numeric.h"

#include <algorithm>
#include <array>

namespace Engine {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr u32 kTableLimit = 10000;

// The primes below 10000 (1229 of them, 2 to 9973), sieved once.
const std::array<u32, 1229>& smallPrimes() {
  static const std::array<u32, 1229> table = [] {
    std::array<bool, kTableLimit> composite{};
    std::array<u32, 1229> primes{};
    std::size_t count = 0;
    for (u32 n = 2; n < kTableLimit; ++n) {
      if (composite[n]) {
        continue;
      }
      primes[count++] = n;
      for (u32 m = n * n; m < kTableLimit; m += n) {
        composite[m] = true;
      }
    }
    return primes;
  }();
  return table;
}

bool isOddPrime(u32 candidate) {
  const u32 limit = isqrt(candidate);
  for (u32 d = 3; d <= limit; d += 2) {
    if (candidate % d == 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

int toHex(char* out, u32 value, int n) {
  for (int i = 0; i < n; ++i) {
    out[n - 1 - i] = kHexDigits[(value >> (4 * i)) & 0xF];
  }
  return n;
}

int toHex(char* out, char c) { return toHex(out, static_cast<u8>(c), 2); }

u32 isqrt(u32 n) {
  // Digit-by-digit root, two bits at a time, rounded up at the end.
  u32 root = 0;
  u32 remainder = n;
  u32 bit = 1u << 30;
  while (bit > n) {
    bit >>= 2;
  }
  while (bit != 0) {
    if (remainder >= root + bit) {
      remainder -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
    bit >>= 2;
  }
  return remainder != 0 ? root + 1 : root;
}

u32 nextPrime(u32 n) {
  const auto& primes = smallPrimes();
  if (n < primes.back()) {
    return *std::upper_bound(primes.begin(), primes.end(), n);
  }
  for (u32 candidate = (n + 1) | 1u;; candidate += 2) {
    if (isOddPrime(candidate)) {
      return candidate;
    }
  }
}

}  // namespace Engine
