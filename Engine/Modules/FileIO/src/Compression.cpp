#include "Engine/FileIO/Compression.h"

#include <algorithm>
#include <cstring>

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

// Copies a match of up to 18 bytes; whole 8-byte chunks when they cannot
// read bytes of the same chunk they write and the buffer has room.
inline void copyMatch(u8* out, u32 at, u32 distance, u32 length, u32 capacity) {
  const u8* from = out + at - distance;
  u8* to = out + at;
  if (distance >= 8 && capacity - at >= 24) {
    for (u32 k = 0; k < length; k += 8) {
      std::memcpy(to + k, from + k, 8);
    }
    return;
  }
  for (u32 k = 0; k < length; ++k) {
    to[k] = from[k];
  }
}

bool decodeTokens(u8* out, u32 capacity, u32* produced, const u8* in, u32 n) {
  u32 i = 0;
  u32 o = 0;
  bool ok = true;
  while (i < n) {
    const u32 c = in[i++];
    if (c < kMatchFlag) {
      const u32 run = c + 1;
      if (run > n - i || run > capacity - o) {
        ok = false;
        break;
      }
      if (capacity - o >= kMaxRun + kChunk) {
        for (u32 k = 0; k < run; k += kChunk) {
          std::memcpy(out + o + k, in + i + k, kChunk);
        }
      } else {
        std::memcpy(out + o, in + i, run);
      }
      i += run;
      o += run;
      continue;
    }
    if (i >= n) {
      ok = false;
      break;
    }
    const u32 distance = (((c & 0x70) << 4) | in[i++]) + 1;
    const u32 length = (c & 15) + kMinMatch;
    if (distance > o || length > capacity - o) {
      ok = false;
      break;
    }
    copyMatch(out, o, distance, length, capacity);
    o += length;
  }
  if (produced) {
    *produced = o;
  }
  return ok;
}

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
  std::vector<u8> scratch(static_cast<std::size_t>(n) + kScratchPadding);
  unscramble(scratch.data(), in, n);
  return decodeTokens(out, outCapacity, produced, scratch.data(), n);
}

// The key stream is the framework generator's, seeded with the length; its
// low byte equals Random::getInt(256).
void scramble(u8* out, const u8* in, u32 n) {
  Math::XorShift128 key(static_cast<i32>(n));
  for (u32 i = 0; i < n; ++i) {
    out[i] = swapNibbles(in[i]) ^ static_cast<u8>(key.next());
  }
}

void unscramble(u8* out, const u8* in, u32 n) {
  Math::XorShift128 key(static_cast<i32>(n));
  for (u32 i = 0; i < n; ++i) {
    out[i] = swapNibbles(static_cast<u8>(in[i] ^ static_cast<u8>(key.next())));
  }
}

}  // namespace Engine::FileIO
