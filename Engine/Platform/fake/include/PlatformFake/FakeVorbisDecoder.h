#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "Platform/VorbisDecoder.h"

namespace PlatformFake {

// A decoder of "fake Ogg Vorbis" files: a small header and raw 16-bit PCM,
// which tests generate with encode. Other bytes do not open. Reads hand out at
// most kReadPiece bytes, as a real decoder hands out a packet at a time.
class FakeVorbisDecoder : public Platform::VorbisDecoder {
 public:
  static constexpr int kReadPiece = 4096;

  static std::vector<std::uint8_t> encode(int rate, int channels, const std::vector<std::int16_t>& samples);

  std::unique_ptr<Platform::VorbisStream> open(const std::uint8_t* data, std::size_t size) override;

  std::atomic<int> openCount{0};
  std::atomic<bool> failSeeks{false};  // every seek of every stream fails
};

}  // namespace PlatformFake
