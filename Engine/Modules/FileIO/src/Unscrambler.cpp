#include "FileIO/src/Unscrambler.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Engine::FileIO {

namespace {

// The scrambling key four generator steps at a time. One step is
// w' = L(w) ^ U(x), with L(v) = v ^ v >> 19 and U(x) = t ^ t >> 8 for
// t = x ^ x << 11, the state moving up one word. L is linear and undoes itself
// on 32 bits, so the k-th of four new words is L(w) or w plus a sum of U and
// L(U) of the four old words: no word waits for the one before it.
using KeyLanes = Unscrambler::Lanes;
constexpr u32 kKeyBlock = 16;

KeyLanes nextFourKeys(KeyLanes s) {
  const KeyLanes zero = {};
  const KeyLanes t = s ^ (s << 11);
  const KeyLanes u = t ^ (t >> 8);
  const KeyLanes lu = u ^ (u >> 19);
  const KeyLanes e = u ^ __builtin_shufflevector(lu, zero, 4, 0, 1, 2);  // U(k) ^ L(U(k - 1))
  const KeyLanes sums = e ^ __builtin_shufflevector(e, zero, 4, 4, 0, 1);
  const KeyLanes w = __builtin_shufflevector(s, s, 3, 3, 3, 3);
  const KeyLanes lw = w ^ (w >> 19);
  return sums ^ __builtin_shufflevector(lw, w, 0, 5, 2, 7);
}

// The low bytes of the next sixteen numbers, in key[0, 16).
void keyBlock(KeyLanes& state, u8* key) {
  const KeyLanes a = nextFourKeys(state);
  const KeyLanes b = nextFourKeys(a);
  const KeyLanes c = nextFourKeys(b);
  state = nextFourKeys(c);
#if defined(__SSE2__)
  const __m128i low = _mm_set1_epi32(0xFF);
  const __m128i ab = _mm_packs_epi32(_mm_and_si128(__m128i(a), low), _mm_and_si128(__m128i(b), low));
  const __m128i cd = _mm_packs_epi32(_mm_and_si128(__m128i(c), low), _mm_and_si128(__m128i(state), low));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(key), _mm_packus_epi16(ab, cd));
#else
  const KeyLanes lanes[4] = {a, b, c, state};
  for (u32 k = 0; k < kKeyBlock; ++k) {
    key[k] = static_cast<u8>(lanes[k / 4][k % 4]);
  }
#endif
}

// Far ahead in the key stream, four generators run side by side, one per
// lane: each lane takes the scalar step on its own state, so a step waits only
// for its lane's last word and not for the other three as in nextFourKeys.
// Lane j starts j * kLaneSpan numbers after lane 0; a chunk is what the four
// lanes cover together.
constexpr u32 kLaneSpan = Unscrambler::kChunk / 4;
static_assert(std::has_single_bit(kLaneSpan));  // the jump below squares

// One step is shifts and xors, linear on the state's 128 bits, so the state
// kLaneSpan steps on is a fixed matrix times the state: column b is where the
// state with only bit b set goes. Found by squaring the one-step matrix, once
// per process (too many steps for the compiler to evaluate).
using StateWords = std::array<u32, 4>;
using JumpMatrix = std::array<StateWords, 128>;

StateWords stepOnce(const StateWords& s) {
  const u32 t = s[0] ^ (s[0] << 11);
  return {s[1], s[2], s[3], s[3] ^ (s[3] >> 19) ^ t ^ (t >> 8)};
}

StateWords times(const JumpMatrix& m, const StateWords& s) {
  StateWords r{};
  for (u32 b = 0; b < 128; ++b) {
    if ((s[b / 32] >> (b % 32)) & 1) {
      for (u32 k = 0; k < 4; ++k) {
        r[k] ^= m[b][k];
      }
    }
  }
  return r;
}

JumpMatrix jumpOf(u32 steps) {
  JumpMatrix m{};
  for (u32 b = 0; b < 128; ++b) {
    StateWords bit{};
    bit[b / 32] = 1u << (b % 32);
    m[b] = stepOnce(bit);
  }
  for (u32 done = 1; done < steps; done *= 2) {
    JumpMatrix squared{};
    for (u32 b = 0; b < 128; ++b) {
      squared[b] = times(m, m[b]);
    }
    m = squared;
  }
  return m;
}

// The same product on the vector unit, once per lane per chunk.
KeyLanes jumpLane(KeyLanes s) {
  static const JumpMatrix kLaneJump = jumpOf(kLaneSpan);
  KeyLanes r = {};
  for (u32 b = 0; b < 128; ++b) {
    const u32 mask = 0u - ((s[b / 32] >> (b % 32)) & 1);
    KeyLanes column;
    std::memcpy(&column, kLaneJump[b].data(), sizeof column);
    r ^= column & mask;
  }
  return r;
}

// Word k of a, b, c and d into vector k.
void transpose(KeyLanes& a, KeyLanes& b, KeyLanes& c, KeyLanes& d) {
  const KeyLanes ab01 = __builtin_shufflevector(a, b, 0, 4, 1, 5);
  const KeyLanes ab23 = __builtin_shufflevector(a, b, 2, 6, 3, 7);
  const KeyLanes cd01 = __builtin_shufflevector(c, d, 0, 4, 1, 5);
  const KeyLanes cd23 = __builtin_shufflevector(c, d, 2, 6, 3, 7);
  a = __builtin_shufflevector(ab01, cd01, 0, 1, 4, 5);
  b = __builtin_shufflevector(ab01, cd01, 2, 3, 6, 7);
  c = __builtin_shufflevector(ab23, cd23, 0, 1, 4, 5);
  d = __builtin_shufflevector(ab23, cd23, 2, 3, 6, 7);
}

// The four lanes' states, word by word: x holds every lane's oldest word.
class KeyLaneSet {
 public:
  // Lane 0 from the state s (four consecutive words, oldest first).
  explicit KeyLaneSet(KeyLanes s) : mX(s) {
    mY = jumpLane(mX);
    mZ = jumpLane(mY);
    mW = jumpLane(mZ);
    transpose(mX, mY, mZ, mW);
  }

  // The state following the last lane's numbers.
  KeyLanes lastLane() const { return KeyLanes{mX[3], mY[3], mZ[3], mW[3]}; }

  // The low bytes of each lane's next sixteen numbers: lane j's in keys[j].
  void next16(KeyLanes keys[4]) {
    for (u32 q = 0; q < 4; ++q) {
      KeyLanes four = step() & 0xFF;
      four |= (step() & 0xFF) << 8;
      four |= (step() & 0xFF) << 16;
      four |= step() << 24;
      keys[q] = four;
    }
    transpose(keys[0], keys[1], keys[2], keys[3]);
  }

 private:
  // XorShift128::next on four generators at once, one a lane.
  KeyLanes step() {
    const KeyLanes t = mX ^ (mX << 11);
    mX = mY;
    mY = mZ;
    mZ = mW;
    mW = mW ^ (mW >> 19) ^ t ^ (t >> 8);
    return mW;
  }

  KeyLanes mX;
  KeyLanes mY = {};
  KeyLanes mZ = {};
  KeyLanes mW = {};
};

using ByteLanes = u8 __attribute__((vector_size(16)));

// out[0, 16) = the nibble-swapped in[0, 16) ^ key; in and out may be one.
inline void unscramble16(u8* out, const u8* in, KeyLanes key) {
  ByteLanes bytes;
  std::memcpy(&bytes, in, sizeof bytes);
  bytes ^= ByteLanes(key);
  bytes = (bytes << 4) | (bytes >> 4);
  std::memcpy(out, &bytes, sizeof bytes);
}

}  // namespace

Unscrambler::Unscrambler(u32 n) : mGenerator(static_cast<i32>(n)) {
  u32 words[4];
  mGenerator.getState(words);
  std::memcpy(&mState, words, sizeof mState);
}

void Unscrambler::next(u8* out, const u8* in, u32 n) {
  u32 i = 0;
  for (; n - i >= kChunk; i += kChunk) {
    nextChunk(out + i, in + i);
  }
  for (; n - i >= kKeyBlock; i += kKeyBlock) {
    u8 bytes[kKeyBlock];
    keyBlock(mState, bytes);
    KeyLanes key;
    std::memcpy(&key, bytes, sizeof key);
    unscramble16(out + i, in + i, key);
  }
  if (i == n) {
    return;
  }
  u32 words[4];
  std::memcpy(words, &mState, sizeof mState);
  mGenerator.setState(words);
  for (; i < n; ++i) {
    out[i] = swapNibbles(static_cast<u8>(in[i] ^ static_cast<u8>(mGenerator.next())));
  }
}

void Unscrambler::nextChunk(u8* out, const u8* in) {
  KeyLaneSet lanes(mState);
  for (u32 i = 0; i < kLaneSpan; i += kKeyBlock) {
    KeyLanes keys[4];
    lanes.next16(keys);
    for (u32 lane = 0; lane < 4; ++lane) {
      const u32 at = lane * kLaneSpan + i;
      unscramble16(out + at, in + at, keys[lane]);
    }
  }
  mState = lanes.lastLane();
}

}  // namespace Engine::FileIO
