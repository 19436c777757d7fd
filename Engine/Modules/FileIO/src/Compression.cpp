#include "Engine/FileIO/Compression.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "FileIO/src/MatchIndex.h"
#include "Engine/Math/XorShift128.h"

namespace Engine::FileIO {

namespace {

constexpr u32 kMinMatch = 3;
constexpr u32 kMaxMatch = 18;
constexpr u32 kMaxRun = 128;
constexpr u32 kMatchFlag = 0x80;
// Literal runs are copied in whole chunks from a scratch copy padded by this much.
constexpr u32 kChunk = 16;
constexpr u32 kScratchPadding = kMaxRun + kChunk;

u8 swapNibbles(u8 b) { return static_cast<u8>((b << 4) | (b >> 4)); }

// The scrambling key four generator steps at a time. One step is
// w' = L(w) ^ U(x), with L(v) = v ^ v >> 19 and U(x) = t ^ t >> 8 for
// t = x ^ x << 11, the state moving up one word. L is linear and undoes itself
// on 32 bits, so the k-th of four new words is L(w) or w plus a sum of U and
// L(U) of the four old words: no word waits for the one before it.
using KeyLanes = u32 __attribute__((vector_size(16)));
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

class TokenWriter {
 public:
  explicit TokenWriter(u8* out) : mOut(out) {}

  void literals(const u8* first, u32 count) {
    if (count == 0) {
      return;
    }
    mOut[mSize++] = static_cast<u8>(count - 1);
    std::memcpy(mOut + mSize, first, count);
    mSize += count;
  }

  void match(u32 length, u32 distance) {
    const u32 d = distance - 1;
    mOut[mSize++] = static_cast<u8>((length - kMinMatch) | kMatchFlag | ((d & 0x700) >> 4));
    mOut[mSize++] = static_cast<u8>(d & 0xFF);
  }

  u32 size() const { return mSize; }

 private:
  u8* mOut;
  u32 mSize = 0;
};

// The bound described in the header, from the unscrambled tokens.
u32 inPlaceBound(const u8* stream, u32 compressedSize, u32 n) {
  const i64 base = std::max(n, compressedSize);
  const i64 slack = base - compressedSize;
  i64 consumed = 0;
  i64 produced = 0;
  i64 margin = 0;
  for (u32 i = 0; i < compressedSize;) {
    const u32 c = stream[i];
    if (c < kMatchFlag) {
      consumed += 1 + c + 1;
      produced += c + 1;
      i += c + 2;
    } else {
      consumed += 2;
      produced += (c & 15) + kMinMatch;
      i += 2;
    }
    margin = std::max(margin, produced - (consumed + slack));
  }
  return static_cast<u32>(base + margin);
}

// Copies a match of up to 18 bytes in words when the buffer has room for 24.
// A word must not read bytes of the same word it writes: the first four bytes
// go one by one, the next four from where they repeat, and the rest in 8-byte
// words from a whole number of repeats at least 8 bytes back. Distances of 8
// and more share the path, with no branch to mispredict.
inline void copyMatch(u8* out, u32 at, u32 distance, u32 length, u32 capacity) {
  const u8* from = out + at - distance;
  u8* to = out + at;
  if (capacity - at < 24) [[unlikely]] {
    for (u32 k = 0; k < length; ++k) {
      to[k] = from[k];
    }
    return;
  }
  if (distance >= 16) {
    // The source ends before the destination starts: one 16-byte word, then
    // the two bytes a longest match adds, read after the word is written.
    std::memcpy(to, from, 16);
    to[16] = from[16];
    to[17] = from[17];
    return;
  }
  // By distance (8 standing for all longer ones).
  static constexpr u8 kSecondFour[9] = {0, 1, 2, 1, 0, 4, 4, 4, 4};
  static constexpr u8 kRestFrom[9] = {0, 1, 2, 2, 4, 3, 2, 1, 8};
  const u32 row = distance < 8 ? distance : 8;
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
  to[3] = from[3];
  std::memcpy(to + 4, from + kSecondFour[row], 4);
  from += kRestFrom[row];
  std::memcpy(to + 8, from, 8);
  std::memcpy(to + 16, from + 8, 8);
}

// Expands whole tokens of a window of the unscrambled stream. A token that
// starts before safeEnd lies in window[0, end) (a piece's last 129 bytes wait
// for the next piece); checks against end find a damaged stream's last token.
class TokenDecoder {
 public:
  TokenDecoder(u8* out, u32 capacity) : mOut(out), mCapacity(capacity) {}

  bool run(const u8* in, u32& at, u32 safeEnd, u32 end) {
    u32 i = at;
    bool ok = true;
    while (i < safeEnd) {
      const u32 c = in[i++];
      if (c < kMatchFlag) {
        if (!literals(in, i, c + 1, end)) {
          ok = false;
          break;
        }
        continue;
      }
      if (i >= end) {
        ok = false;
        break;
      }
      const u32 distance = (((c & 0x70) << 4) | in[i++]) + 1;
      const u32 length = (c & 15) + kMinMatch;
      if (distance > mSize || length > mCapacity - mSize) {
        ok = false;
        break;
      }
      copyMatch(mOut, mSize, distance, length, mCapacity);
      mSize += length;
    }
    at = i;
    return ok;
  }

  u32 size() const { return mSize; }

 private:
  bool literals(const u8* in, u32& i, u32 run, u32 end) {
    if (run > end - i || run > mCapacity - mSize) {
      return false;
    }
    u8* to = mOut + mSize;
    if (mCapacity - mSize >= kMaxRun + kChunk) {
      // Most runs are short: two chunks without a loop, then the rest.
      std::memcpy(to, in + i, kChunk);
      std::memcpy(to + kChunk, in + i + kChunk, kChunk);
      for (u32 k = 2 * kChunk; k < run; k += kChunk) {
        std::memcpy(to + k, in + i + k, kChunk);
      }
    } else {
      std::memcpy(to, in + i, run);
    }
    i += run;
    mSize += run;
    return true;
  }

  u8* mOut;
  u32 mCapacity;
  u32 mSize = 0;
};

// The key stream of a scrambled stream of n bytes, taken piece by piece.
class Unscrambler {
 public:
  explicit Unscrambler(u32 n) : mGenerator(static_cast<i32>(n)) {
    u32 words[4];
    mGenerator.getState(words);
    std::memcpy(&mState, words, sizeof mState);
  }

  // Every piece but the last is a whole number of key blocks long.
  void next(u8* out, const u8* in, u32 n) {
    u32 i = 0;
    for (; n - i >= kKeyBlock; i += kKeyBlock) {
      u8 bytes[kKeyBlock];
      u8 key[kKeyBlock];
      keyBlock(mState, key);
      std::memcpy(bytes, in + i, kKeyBlock);  // in and out may be one buffer
      for (u32 k = 0; k < kKeyBlock; ++k) {
        bytes[k] = swapNibbles(static_cast<u8>(bytes[k] ^ key[k]));
      }
      std::memcpy(out + i, bytes, kKeyBlock);
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

 private:
  Math::XorShift128 mGenerator;
  KeyLanes mState;
};

}  // namespace

u32 compressBound(u32 n) { return n + n / kMaxRun + 1; }

void compress(std::vector<u8>& out, u32* bufferSize, const u8* in, u32 n) {
  out.resize(compressBound(n));
  TokenWriter writer(out.data());
  MatchIndex index;
  u32 literalStart = 0;
  u32 p = 0;
  while (p < n) {
    const u32 maxLength = std::min(n - p, kMaxMatch);
    const MatchIndex::Match best = index.longestMatch(in, p, maxLength);
    if (best.length < kMinMatch) {
      index.add(in, p);
      ++p;
      if (p - literalStart == kMaxRun) {
        writer.literals(in + literalStart, kMaxRun);
        literalStart = p;
      }
      continue;
    }
    for (u32 k = 0; k < best.length; ++k) {
      index.add(in, p + k);
    }
    writer.literals(in + literalStart, p - literalStart);
    writer.match(best.length, best.distance);
    p += best.length;
    literalStart = p;
  }
  writer.literals(in + literalStart, p - literalStart);
  out.resize(writer.size());
  if (bufferSize) {
    *bufferSize = inPlaceBound(out.data(), writer.size(), n);
  }
  scramble(out.data(), out.data(), writer.size());
}

bool decompress(u8* out, u32 outCapacity, u32* produced, const u8* in, u32 n) {
  // Unscrambled a piece at a time into a window that stays in the first-level
  // cache. Reading runs ahead of decoding, so a stream placed at the end of
  // its own output buffer (the in-place bound) is read before it is written.
  constexpr u32 kPiece = 4096;
  constexpr u32 kLongestToken = 1 + kMaxRun;
  alignas(16) u8 window[kLongestToken + kPiece + kScratchPadding];
  Unscrambler key(n);
  TokenDecoder decoder(out, outCapacity);
  u32 taken = 0;
  u32 held = 0;
  u32 at = 0;
  bool ok = true;
  for (bool last = false; ok && !last;) {
    const u32 left = held - at;
    std::memmove(window, window + at, left);
    const u32 piece = std::min(kPiece, n - taken);
    key.next(window + left, in + taken, piece);
    taken += piece;
    held = left + piece;
    at = 0;
    // Literal chunks read up to a chunk past a run's end.
    std::memset(window + held, 0, kScratchPadding);
    last = taken == n;
    ok = decoder.run(window, at, last ? held : held - kLongestToken, held);
  }
  if (produced) {
    *produced = decoder.size();
  }
  return ok;
}

// The key stream is the framework generator's, seeded with the length; its
// low byte equals Random::getInt(256).
void scramble(u8* out, const u8* in, u32 n) {
  Math::XorShift128 key(static_cast<i32>(n));
  for (u32 i = 0; i < n; ++i) {
    out[i] = swapNibbles(in[i]) ^ static_cast<u8>(key.next());
  }
}

// Sixteen bytes at a time through keyBlock, the rest one number a byte.
void unscramble(u8* out, const u8* in, u32 n) { Unscrambler(n).next(out, in, n); }

}  // namespace Engine::FileIO
