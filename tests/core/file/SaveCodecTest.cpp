#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Engine/FileIO/Compression.h"
#include "core/file/SaveCodec.h"

namespace {

namespace SaveCodec = Game::SaveCodec;
using Bytes = std::vector<std::uint8_t>;

Bytes packed(const Bytes& payload) {
  Bytes out;
  const int size = SaveCodec::pack(out, payload.data(), static_cast<int>(payload.size()));
  EXPECT_EQ(size, static_cast<int>(out.size()));
  return out;
}

// The payload, or "?" (a payload no test uses) when the file is invalid.
Bytes unpacked(const Bytes& file) {
  const int capacity = SaveCodec::unpackCapacity(static_cast<int>(file.size()));
  Bytes out(static_cast<std::size_t>(capacity));
  const int n = SaveCodec::unpack(out.data(), capacity, file.data(), static_cast<int>(file.size()));
  if (n == 0) {
    return Bytes{'?'};
  }
  out.resize(static_cast<std::size_t>(n));
  return out;
}

Bytes decompressed(const Bytes& file) {
  Bytes out(1 << 20);
  std::uint32_t produced = 0;
  EXPECT_TRUE(Engine::FileIO::decompress(out.data(), static_cast<std::uint32_t>(out.size()), &produced, file.data(),
                                         static_cast<std::uint32_t>(file.size())));
  out.resize(produced);
  return out;
}

Bytes randomPayload(std::mt19937& random, std::size_t size, int alphabet) {
  Bytes payload(size);
  for (auto& byte : payload) {
    byte = static_cast<std::uint8_t>(random() % static_cast<unsigned>(alphabet));
  }
  return payload;
}

TEST(SaveCodecTest, PacksInvertedBytesAndTheirTrailer) {
  const Bytes file = packed(Bytes{'a', 'b', 'c'});
  const Bytes plain{0x9E, 0x9D, 0x9C, 0x00, 0x00, 0x00, 0x03, 0x26, 0x60};
  EXPECT_EQ(decompressed(file), plain);
  EXPECT_EQ(unpacked(file), (Bytes{'a', 'b', 'c'}));

  const Bytes empty = packed(Bytes{});
  EXPECT_EQ(decompressed(empty), Bytes(6, 0));
  EXPECT_EQ(unpacked(empty), Bytes{'?'});
}

TEST(SaveCodecTest, RandomPayloadsRoundTrip) {
  std::mt19937 random(7);
  for (std::size_t size : {1u, 128u, 129u, 2049u, 70000u}) {
    for (int alphabet : {2, 256}) {
      const Bytes payload = randomPayload(random, size, alphabet);
      EXPECT_EQ(unpacked(packed(payload)), payload) << size << " bytes of " << alphabet << " values";
    }
  }
}

// The trailer sees every flipped bit of a file that copies no payload byte:
// 256 different bytes compress to literals only. (A damaged literal that
// matches copy an even number of times can cancel out in the sum and XOR.)
TEST(SaveCodecTest, BitFlippedFilesAreInvalid) {
  Bytes payload(256);
  for (std::size_t i = 0; i < payload.size(); ++i) {
    payload[i] = static_cast<std::uint8_t>(i * 167 + 13);
  }
  const Bytes file = packed(payload);
  for (std::size_t bit = 0; bit < file.size() * 8; ++bit) {
    Bytes damaged = file;
    damaged[bit / 8] ^= static_cast<std::uint8_t>(1 << (bit % 8));
    EXPECT_EQ(unpacked(damaged), Bytes{'?'}) << "bit " << bit;
  }
}

TEST(SaveCodecTest, FilesBeyondTheUnpackBoundsAreRefused) {
  // The largest payload whose unpacked form stays below 512 KiB packs and
  // reads back; one byte more is never packed.
  const int largest = SaveCodec::kUnpackedLimit - SaveCodec::kTrailerSize - 1;
  const Bytes payload(static_cast<std::size_t>(largest), 'x');
  EXPECT_EQ(unpacked(packed(payload)), payload);
  Bytes out{1, 2, 3};
  const Bytes tooLarge(static_cast<std::size_t>(largest) + 1, 'x');
  EXPECT_EQ(SaveCodec::pack(out, tooLarge.data(), largest + 1), -1);
  EXPECT_TRUE(out.empty());

  // A stream that expands beyond the buffer it is given stops there.
  const Bytes file = packed(Bytes(1000, 'y'));
  Bytes small(500);
  EXPECT_EQ(SaveCodec::unpack(small.data(), 500, file.data(), static_cast<int>(file.size())), 0);
}

}  // namespace
