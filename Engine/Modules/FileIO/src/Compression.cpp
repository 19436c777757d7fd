#include "Engine/FileIO/Compression.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "FileIO/src/MatchIndex.h"
#include "FileIO/src/Unscrambler.h"
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
constexpr u32 kLongestToken = 1 + kMaxRun;

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

u64 load64(const u8* p) {
  u64 word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

void store64(u8* p, u64 word) { std::memcpy(p, &word, sizeof word); }

// Byte k of a word is its bits 8k to 8k + 7.
static_assert(std::endian::native == std::endian::little);

// Bytes [at, at + 8) of the sixteen bytes lo then hi, for at in 0..8 (each
// shift split in two, so that none reaches 64 bits).
u64 bytesFrom(u64 lo, u64 hi, u32 at) {
  return (lo >> (4 * at) >> (4 * at)) | (hi << (32 - 4 * at) << (32 - 4 * at));
}

u64 lowBytes(u32 count) { return (u64{1} << (8 * count)) - 1; }  // count below 8

// A pattern of d bytes (d below 8) fills a word as copies d bytes apart, which
// one multiplication places since they do not overlap. Each next word starts
// 8 % d bytes further into the pattern: the word shifted down by that many
// bytes, the gap at its top filled from the word shifted up by d - 8 % d.
struct NearPattern {
  u64 repeat;
  u32 down;
  u32 up;
};

constexpr NearPattern nearPattern(u32 d) {
  u64 repeat = 0;
  for (u32 k = 0; k < 8; k += d) {
    repeat |= u64{1} << (8 * k);
  }
  return {repeat, 8 * (8 % d), 8 * (d - 8 % d)};
}

constexpr NearPattern kNearPatterns[8] = {{},
                                          nearPattern(1),
                                          nearPattern(2),
                                          nearPattern(3),
                                          nearPattern(4),
                                          nearPattern(5),
                                          nearPattern(6),
                                          nearPattern(7)};

// Writes 24 bytes repeating the distance (1..15) bytes before to. The bytes
// are built in registers from words read before any is written: a word read
// back from bytes just written would wait until those stores finish.
inline void copyNearMatch(u8* to, u32 distance) {
  const u8* from = to - distance;
  u64 first;
  u64 second;
  u64 third;
  if (distance < 8) {
    const NearPattern& p = kNearPatterns[distance];
    first = (load64(from) & lowBytes(distance)) * p.repeat;
    second = (first >> p.down) | (first << p.up);
    third = (second >> p.down) | (second << p.up);
  } else {
    // The second word's first distance - 8 bytes are still before to; the
    // rest repeat the first word. The third word starts 16 - distance bytes in.
    first = load64(from);
    second = (load64(from + 8) & lowBytes(distance - 8)) | (first << (8 * (distance - 8)));
    third = bytesFrom(first, second, 16 - distance);
  }
  store64(to, first);
  store64(to + 8, second);
  store64(to + 16, third);
}

// Copies a match of up to 18 bytes in words when the buffer has room for 24.
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
  copyNearMatch(to, distance);
}

// Expands whole tokens of a window of the unscrambled stream. A token that
// starts before safeEnd lies in window[0, end) (a piece's last 129 bytes wait
// for the next piece); checks against end find a damaged stream's last token.
class TokenDecoder {
 public:
  TokenDecoder(u8* out, u32 capacity) : mOut(out), mCapacity(capacity) {}

  bool run(const u8* in, u32& at, u32 safeEnd, u32 end) {
    u32 i = at;
    // Stretches far from the window's and the output's ends first, then the
    // rest token by token with every check.
    for (u32 stop = roomyEnd(i, safeEnd, end); i < stop; stop = roomyEnd(i, safeEnd, end)) {
      if (!runRoomy(in, i, stop)) {
        at = i;
        return false;
      }
    }
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
  // A token of b bytes gives at most 9 * b bytes (18 from a 2-byte match).
  static constexpr u32 kMaxExpansion = (kMaxMatch + 1) / 2;
  // What a token may write past the output of the tokens before it: a whole
  // literal run, or a match's or short run's two chunks.
  static constexpr u32 kRoomySlack = kMaxRun + 2 * kChunk;

  // Where the tokens from i on stop being sure to lie whole in the window and
  // to leave all they write inside the output (i itself when none is).
  u32 roomyEnd(u32 i, u32 safeEnd, u32 end) const {
    const u32 room = mCapacity - mSize;
    if (room < kRoomySlack || end < kLongestToken) {
      return i;
    }
    return std::min({safeEnd, end - kLongestToken, i + (room - kRoomySlack) / kMaxExpansion});
  }

  // Tokens starting before stop, which roomyEnd vouches for: only a match
  // reaching before the output's start remains to be checked.
  bool runRoomy(const u8* in, u32& i, u32 stop) {
    while (i < stop) {
      const u32 c = in[i];
      u8* to = mOut + mSize;
      if (c < kMatchFlag) {
        const u32 run = c + 1;
        copyChunks(to, in + i + 1, run);
        i += run + 1;
        mSize += run;
        continue;
      }
      const u32 distance = (((c & 0x70) << 4) | in[i + 1]) + 1;
      if (distance > mSize) {
        return false;
      }
      if (distance >= 2 * kChunk) {
        copyChunks(to, to - distance, kChunk);
      } else {
        copyMatch(mOut, mSize, distance, kMaxMatch, mCapacity);
      }
      i += 2;
      mSize += (c & 15) + kMinMatch;
    }
    return true;
  }

  // Copies count bytes (at most a literal run) in whole chunks, two at least.
  static void copyChunks(u8* to, const u8* from, u32 count) {
    std::memcpy(to, from, kChunk);
    std::memcpy(to + kChunk, from + kChunk, kChunk);
    for (u32 k = 2 * kChunk; k < count; k += kChunk) {
      std::memcpy(to + k, from + k, kChunk);
    }
  }

  bool literals(const u8* in, u32& i, u32 run, u32 end) {
    if (run > end - i || run > mCapacity - mSize) {
      return false;
    }
    // Only runs near the stream's or the output's end come here.
    std::memcpy(mOut + mSize, in + i, run);
    i += run;
    mSize += run;
    return true;
  }

  u8* mOut;
  u32 mCapacity;
  u32 mSize = 0;
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
  constexpr u32 kPiece = Unscrambler::kChunk;
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
