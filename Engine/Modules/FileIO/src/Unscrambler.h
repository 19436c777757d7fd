#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/XorShift128.h"

namespace Engine::FileIO {

// Scrambling turns each byte's halves about before the key goes on.
inline u8 swapNibbles(u8 b) { return static_cast<u8>((b << 4) | (b >> 4)); }

// The key stream of a scrambled stream of n bytes, taken piece by piece.
class Unscrambler {
 public:
  using Lanes = u32 __attribute__((vector_size(16)));

  // Pieces of this many bytes take their keys from four points of the key
  // stream at once, the rest sixteen bytes and then one byte at a time.
  static constexpr u32 kChunk = 16384;

  explicit Unscrambler(u32 n);

  // out[0, n) = in[0, n) unscrambled (in and out may be one buffer). Every
  // piece but the last is a whole number of 16-byte key blocks long.
  void next(u8* out, const u8* in, u32 n);

 private:
  void nextChunk(u8* out, const u8* in);

  Math::XorShift128 mGenerator;
  Lanes mState;
};

}  // namespace Engine::FileIO
