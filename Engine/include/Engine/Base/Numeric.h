#pragma once

#include "Engine/Base/Types.h"

namespace Engine {

// Writes the n lowest hexadecimal digits of value, most significant first; returns n.
int toHex(char* out, u32 value, int n);
// Writes the low byte of c as two hexadecimal digits; returns 2.
int toHex(char* out, char c);

// The smallest r with r * r >= n, for 0 <= n < 2^30.
u32 isqrt(u32 n);

// The smallest prime strictly greater than n.
u32 nextPrime(u32 n);

}  // namespace Engine
