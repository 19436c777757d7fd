#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "Engine/FileIO/Compression.h"
#include "Engine/Math/XorShift128.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Engine::FileIO::compress;
using Engine::FileIO::decompress;
using Engine::FileIO::scramble;
using Engine::FileIO::unscramble;

Bytes compressed(const Bytes& in, std::uint32_t* bufferSize = nullptr) {
  Bytes out;
  compress(out, bufferSize, in.data(), static_cast<std::uint32_t>(in.size()));
  return out;
}

Bytes tokensOf(const Bytes& in) {
  Bytes stream = compressed(in);
  unscramble(stream.data(), stream.data(), static_cast<std::uint32_t>(stream.size()));
  return stream;
}

// Expands into a buffer longer than capacity, whose bytes past capacity must
// stay untouched: the decoder writes whole words, never beyond the output.
bool expand(const Bytes& stream, std::uint32_t capacity, Bytes* out) {
  constexpr std::uint8_t kGuard = 0xA5;
  out->assign(capacity + 256, kGuard);
  std::uint32_t produced = 0;
  const bool ok = decompress(out->data(), capacity, &produced, stream.data(), static_cast<std::uint32_t>(stream.size()));
  EXPECT_EQ(std::count(out->begin() + capacity, out->end(), kGuard), 256) << "written past the output";
  out->resize(produced);
  return ok;
}

Bytes scrambledTokens(Bytes tokens) {
  scramble(tokens.data(), tokens.data(), static_cast<std::uint32_t>(tokens.size()));
  return tokens;
}

Bytes distinctBytes(std::size_t n) {
  Bytes out(n);
  std::iota(out.begin(), out.end(), std::uint8_t{0});
  return out;
}

// Mixed data: random bytes with copies of earlier stretches, so that matches
// of every length and distance occur.
Bytes mixedData(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  Bytes out;
  out.reserve(n);
  while (out.size() < n) {
    if (out.size() > 4 && random() % 3 == 0) {
      const std::size_t distance = 1 + random() % std::min<std::size_t>(out.size(), 3000);
      const std::size_t length = 1 + random() % 40;
      for (std::size_t k = 0; k < length && out.size() < n; ++k) {
        out.push_back(out[out.size() - distance]);
      }
    } else {
      out.push_back(static_cast<std::uint8_t>(random() % (random() % 2 ? 4 : 256)));
    }
  }
  return out;
}

std::uint32_t farthestMatch(const Bytes& tokens) {
  std::uint32_t farthest = 0;
  for (std::size_t i = 0; i < tokens.size();) {
    const std::uint32_t c = tokens[i];
    if (c < 128) {
      i += c + 2;
    } else {
      farthest = std::max(farthest, (((c & 0x70) << 4) | tokens[i + 1]) + 1);
      i += 2;
    }
  }
  return farthest;
}

TEST(CompressionTest, MatchesReachTheWholeWindowAndNoFurther) {
  const Bytes head = distinctBytes(256);
  for (std::size_t gap : {2048u - 24u, 2049u - 24u}) {
    std::mt19937 random(7);
    Bytes in(head.begin(), head.begin() + 24);
    while (in.size() < gap + 24) {
      in.push_back(static_cast<std::uint8_t>(128 + random() % 128));
    }
    in.insert(in.end(), head.begin(), head.begin() + 24);
    EXPECT_EQ(farthestMatch(tokensOf(in)) == 2048, gap + 24 == 2048) << "repeat at distance " << gap + 24;
  }
}

TEST(CompressionTest, RandomRoundTripsOfManySizes) {
  for (std::size_t n : {0u, 1u, 2u, 3u, 4u, 127u, 128u, 129u, 256u, 2047u, 2048u, 2049u, 65537u, 1u << 20}) {
    const Bytes in = mixedData(n, static_cast<unsigned>(n));
    std::uint32_t bufferSize = 0;
    const Bytes stream = compressed(in, &bufferSize);
    ASSERT_LE(stream.size(), n + n / 128 + 1);
    ASSERT_GE(bufferSize, std::max<std::size_t>(n, stream.size()));
    Bytes out;
    ASSERT_TRUE(expand(stream, static_cast<std::uint32_t>(n), &out)) << n;
    ASSERT_EQ(out, in) << n;
  }
}

// Unscrambling takes sixteen key bytes at a time, and long streams from four
// points of the key stream at once: every length around the block edges, and
// one of two such stretches and a rest, agree with the generator taken one
// number a byte.
TEST(CompressionTest, UnscramblingAgreesWithTheGeneratorAtEveryLength) {
  std::vector<std::uint32_t> lengths(69);
  std::iota(lengths.begin(), lengths.end(), 1u);
  lengths.push_back(2 * 16384 + 50);
  for (std::uint32_t n : lengths) {
    const Bytes in = mixedData(n, n);
    Engine::Math::XorShift128 key(static_cast<std::int32_t>(n));
    Bytes expected(n);
    for (std::uint32_t i = 0; i < n; ++i) {
      const auto plain = static_cast<std::uint8_t>(in[i] ^ static_cast<std::uint8_t>(key.next()));
      expected[i] = static_cast<std::uint8_t>((plain << 4) | (plain >> 4));
    }
    Bytes out(n);
    unscramble(out.data(), in.data(), n);
    ASSERT_EQ(out, expected) << n;
  }
}

TEST(CompressionTest, MalformedStreamsAreRejectedWithinTheBuffer) {
  Bytes out;
  // A match before the output's start.
  EXPECT_FALSE(expand(scrambledTokens({0x00, 'a', 0x80, 0x01}), 16, &out));
  EXPECT_EQ(out, Bytes{'a'});
  // A match byte without its second byte.
  EXPECT_FALSE(expand(scrambledTokens({0x00, 'a', 0x80}), 16, &out));
  // A literal run longer than the rest of the stream.
  EXPECT_FALSE(expand(scrambledTokens({0x05, 'a', 'b'}), 16, &out));
  // Output beyond the buffer, by a literal run and by a match.
  EXPECT_FALSE(expand(scrambledTokens({0x00, 'x', 0x03, 'a', 'b', 'c', 'd'}), 4, &out));
  EXPECT_EQ(out, Bytes{'x'});
  EXPECT_FALSE(expand(scrambledTokens({0x00, 'a', 0x8F, 0x00}), 10, &out));
  for (std::uint32_t capacity : {19u, 24u}) {  // full, and one byte short of a whole word past the match
    EXPECT_TRUE(expand(scrambledTokens({0x00, 'a', 0x8F, 0x00}), capacity, &out));
    EXPECT_EQ(out, Bytes(19, 'a'));
  }
  // One literal, then 18-byte matches: the last whole match ends at 1 + 18 * 111.
  EXPECT_FALSE(expand(compressed(Bytes(5000, 'z')), 2000, &out));
  EXPECT_EQ(out, Bytes(1999, 'z'));
}

TEST(CompressionTest, DamagedStreamsNeverOverrun) {
  const Bytes in = mixedData(5000, 11);
  const Bytes stream = compressed(in);
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    Bytes damaged = stream;
    damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
    if (round % 3 == 0) {
      damaged.resize(random() % damaged.size());
    }
    Bytes out;
    expand(damaged, static_cast<std::uint32_t>(in.size()), &out);
    ASSERT_LE(out.size(), in.size());
  }
}

// Whether the stream, placed at the end of a buffer of bufferSize bytes as an archive reader may place it,
// expands from the buffer's start one byte at a time without writing on a byte not yet read: a literal is
// read before it is written, a match's bytes are written once its two bytes are read.
bool expandsInPlace(const Bytes& in) {
  std::uint32_t bufferSize = 0;
  Bytes tokens = compressed(in, &bufferSize);
  unscramble(tokens.data(), tokens.data(), static_cast<std::uint32_t>(tokens.size()));
  const std::size_t start = bufferSize - tokens.size();
  std::size_t written = 0;
  for (std::size_t i = 0; i < tokens.size();) {
    const std::uint32_t c = tokens[i];
    const std::size_t next = i + (c < 128 ? c + 2 : 2);
    const std::size_t length = c < 128 ? c + 1 : (c & 15) + 3;
    if (c < 128 ? written > start + i + 1 : written + length > start + next && next < tokens.size()) {
      return false;
    }
    written += length;
    i = next;
  }
  return written == in.size() && written <= bufferSize;
}

TEST(CompressionTest, BufferSizeIsEnoughToExpandInPlace) {
  for (unsigned seed = 0; seed < 40; ++seed) {
    ASSERT_TRUE(expandsInPlace(mixedData(1 + seed * 97, seed))) << seed;
  }
  ASSERT_TRUE(expandsInPlace(Bytes(5000, 'z')));
  ASSERT_TRUE(expandsInPlace(distinctBytes(256)));
}

}  // namespace
