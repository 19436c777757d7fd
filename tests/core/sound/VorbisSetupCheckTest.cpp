// Setup headers written bit by bit, each in pages of their own: the code
// lengths of each case are summed by hand (a whole code sums 2^-length to 1).

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "core/sound/VorbisSetupCheck.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Bits {
  Bytes bytes;
  int at = 0;
  Bits& put(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i, ++at) {
      if (at % 8 == 0) {
        bytes.push_back(0);
      }
      const std::uint32_t bit = i < 32 ? (value >> i) & 1 : 0;  // fields wider than 32 bits are zero above
      bytes.back() |= static_cast<std::uint8_t>(bit << (at % 8));
    }
    return *this;
  }
  // Sync, dimensions and entries; then the caller's lengths and lookup.
  Bits& book(int dimensions, int entries) { return put(0x564342, 24).put(dimensions, 16).put(entries, 24); }
  Bits& listed(const std::vector<int>& lengths, bool sparse = false, int dimensions = 1) {
    book(dimensions, static_cast<int>(lengths.size())).put(0, 1).put(sparse, 1);
    for (int length : lengths) {
      (sparse ? put(length > 0, 1) : *this).put(length - 1, length > 0 ? 5 : 0);
    }
    return *this;
  }
  Bits& noLookup() { return put(0, 4); }
  // Values of 4 bits each, after the least value and the step.
  Bits& lookup(int type, int values) {
    put(type, 4).put(0, 64).put(3, 4).put(0, 1);
    for (int i = 0; i < values; ++i) {
      put(0, 4);
    }
    return *this;
  }
  Bits& wholeBook() { return listed({1, 1}).noLookup(); }
};

std::uint32_t checksum(const Bytes& page) {
  std::uint32_t crc = 0;
  for (std::uint8_t byte : page) {
    crc ^= std::uint32_t{byte} << 24;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
  }
  return crc;
}

// One page of the packet's bytes [from, to); continued marks a page that
// goes on with a packet, open one whose packet goes on in the next page.
Bytes page(const Bytes& packet, std::size_t from, std::size_t to, int sequence, bool continued, bool open) {
  Bytes out = {'O', 'g', 'g', 'S', 0, static_cast<std::uint8_t>(continued), 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0,
               static_cast<std::uint8_t>(sequence), 0, 0, 0, 0, 0, 0, 0, 0};
  std::size_t left = to - from;
  for (; left >= 255; left -= 255) {
    out.push_back(255);
  }
  if (!open) {
    out.push_back(static_cast<std::uint8_t>(left));
  }
  out[26] = static_cast<std::uint8_t>(out.size() - 27);
  out.insert(out.end(), packet.begin() + static_cast<long>(from), packet.begin() + static_cast<long>(to));
  const std::uint32_t crc = checksum(out);
  for (int i = 0; i < 4; ++i) {
    out[22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
  }
  return out;
}

Bytes setupPacket(int books, const std::function<void(Bits&)>& write) {
  Bits bits;
  bits.put(books - 1, 8);
  write(bits);
  const char tag[] = "\x05vorbis";
  Bytes packet = bits.bytes;
  packet.insert(packet.begin(), tag, tag + 7);
  return packet;
}

const char* check(const Bytes& file) { return Game::findVorbisSetupFault(file.data(), file.size()); }

constexpr const char* kNotWhole = "a Vorbis codebook's code lengths do not make a whole prefix code";
constexpr const char* kOrderedPast = "a Vorbis codebook's ordered lengths run past 32 bits or its entries";
constexpr const char* kEndsEarly = "the Vorbis setup header ends inside its codebooks";

TEST(VorbisSetupCheckTest, CodebooksTheDecoderCannotBuildAreNamed) {
  const struct {
    int books;
    std::function<void(Bits&)> write;
    const char* fault;
  } cases[] = {
      {1, [](Bits& b) { b.listed({1, 2, 2}).noLookup(); }, nullptr},  // 1/2 + 1/4 + 1/4
      {1, [](Bits& b) { b.listed({1, 2}).noLookup(); }, kNotWhole},   // 3/4: a gap
      {1, [](Bits& b) { b.listed({1, 1, 1}).noLookup(); }, kNotWhole},  // 3/2: an overlap
      {1, [](Bits& b) { b.listed({1}).noLookup(); }, nullptr},          // one entry: one bit
      {1, [](Bits& b) { b.listed({3}).noLookup(); }, kNotWhole},
      {1, [](Bits& b) { b.listed({2, 0, 2, 1}, true).noLookup(); }, nullptr},
      {1, [](Bits& b) { b.listed({0, 0}, true).noLookup(); }, nullptr},
      {1, [](Bits& b) { b.listed({0, 4, 0}, true).noLookup(); }, kNotWhole},
      {2, [](Bits& b) { b.wholeBook().listed({1, 2, 3, 3}).noLookup(); }, nullptr},
      {2, [](Bits& b) { b.wholeBook().listed({1, 2, 3, 4}).noLookup(); }, kNotWhole},
      // Ordered from length 1: one entry of 1 bit, two of 2 (counts in 2 and 2 bits).
      {1, [](Bits& b) { b.book(1, 3).put(1, 1).put(0, 5).put(1, 2).put(2, 2).noLookup(); }, nullptr},
      {1, [](Bits& b) { b.book(1, 3).put(1, 1).put(0, 5).put(1, 2).put(1, 2).put(1, 1).noLookup(); }, kNotWhole},
      {1, [](Bits& b) { b.book(1, 2).put(1, 1).put(0, 5).put(3, 2); }, kOrderedPast},
      {1, [](Bits& b) { b.book(1, 2).put(1, 1).put(31, 5).put(0, 2).put(2, 2); }, kOrderedPast},
      {1, [](Bits& b) { b.listed({1, 1}).put(3, 4); }, "a Vorbis codebook has an unknown lookup type"},
      // A lattice holds the greatest r with r^dimensions <= entries values, a
      // list entries * dimensions: the next book starts right after them.
      {2, [](Bits& b) { b.listed({1, 1, 0, 0, 0, 0, 0, 0, 0}, true, 2).lookup(1, 3).wholeBook(); }, nullptr},
      {2, [](Bits& b) { b.listed({1, 1, 0, 0, 0, 0, 0, 0}, true, 3).lookup(1, 2).wholeBook(); }, nullptr},
      {2, [](Bits& b) { b.listed(std::vector<int>(26, 0), true, 3).lookup(1, 2).wholeBook(); }, nullptr},
      {2, [](Bits& b) { b.listed({1, 1, 0}, true, 5).lookup(2, 15).wholeBook(); }, nullptr},
      {1, [](Bits& b) { b.listed({1, 1, 0}, true, 5).lookup(2, 14); }, kEndsEarly},
      {1, [](Bits& b) { b.listed({1, 1}, false, 0).lookup(1, 0); }, "a Vorbis lattice codebook has no dimensions"},
      {2, [](Bits& b) { b.listed({1, 1}, false, 0).lookup(2, 0).wholeBook(); }, nullptr},
      {1, [](Bits& b) { b.put(0x564343, 24).put(0, 64); }, "a Vorbis codebook lacks its sync pattern"},
  };
  for (const auto& c : cases) {
    const Bytes packet = setupPacket(c.books, c.write);
    EXPECT_STREQ(check(page(packet, 0, packet.size(), 0, false, false)), c.fault) << &c - cases;
  }
}

// Pages as the decoder's framing reads them: a page whose checksum fails is
// skipped, a packet goes on across pages, and a page out of sequence drops the
// packet in progress.
TEST(VorbisSetupCheckTest, SetupHeadersAreJoinedAcrossPagesAsTheFramingJoinsThem) {
  const Bytes broken = setupPacket(1, [](Bits& b) { b.listed(std::vector<int>(600, 1)).noLookup(); });
  const std::size_t half = 255;
  Bytes whole = page(broken, 0, half, 0, false, true);
  const Bytes rest = page(broken, half, broken.size(), 1, true, false);
  whole.insert(whole.end(), rest.begin(), rest.end());
  EXPECT_STREQ(check(whole), kNotWhole);

  Bytes badChecksum = page(broken, 0, broken.size(), 0, false, false);
  badChecksum[22] ^= 1;
  EXPECT_STREQ(check(badChecksum), nullptr);

  Bytes gap = page(broken, 0, half, 0, false, true);
  const Bytes afterGap = page(broken, half, broken.size(), 2, true, false);
  gap.insert(gap.end(), afterGap.begin(), afterGap.end());
  EXPECT_STREQ(check(gap), nullptr);

  EXPECT_STREQ(check(Bytes(broken.begin(), broken.begin() + 20)), nullptr);  // not a page at all
}

}  // namespace
