#include "Sound/src/WaveReader.h"

#include <cstring>

namespace Engine::Sound {

namespace {

constexpr std::size_t kFirstChunk = 36;
constexpr std::size_t kChunkHeader = 8;
// What the sound device accepts.
constexpr i32 kMinSampleRate = 100;
constexpr i32 kMaxSampleRate = 200000;

u32 readU32(const u8* p) { return u32(p[0]) | u32(p[1]) << 8 | u32(p[2]) << 16 | u32(p[3]) << 24; }
i32 readI16(const u8* p) { return static_cast<i16>(static_cast<u16>(p[0] | p[1] << 8)); }

bool isSupported(const SampleFormat& format) {
  return (format.channels == 1 || format.channels == 2) && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
         format.rate >= kMinSampleRate && format.rate <= kMaxSampleRate;
}

// The offset of the "data" chunk's header, or 0 when there is none. Offsets
// are 64-bit so that no chunk size can wrap them; an odd-sized chunk is
// followed by one pad byte.
std::size_t findDataChunk(const u8* bytes, std::size_t size) {
  std::uint64_t offset = kFirstChunk;
  while (offset + kChunkHeader <= size) {
    const u8* header = bytes + offset;
    if (std::memcmp(header, "data", 4) == 0) {
      return static_cast<std::size_t>(offset);
    }
    const std::uint64_t chunkSize = readU32(header + 4);
    offset += kChunkHeader + chunkSize + (chunkSize & 1);
  }
  return 0;
}

}  // namespace

const char* readWave(const u8* bytes, std::size_t size, WaveContents& contents) {
  contents = WaveContents{};
  if (!bytes || size < kFirstChunk) {
    return "too short for a WAV header";
  }
  SampleFormat format;
  format.channels = readI16(bytes + 22);
  const u32 rate = readU32(bytes + 24);
  format.rate = rate > u32(kMaxSampleRate) ? 0 : static_cast<i32>(rate);
  format.bitsPerSample = readI16(bytes + 34);
  if (!isSupported(format)) {
    return "not 8- or 16-bit mono or stereo PCM at 100 to 200000 Hz";
  }
  const std::size_t chunk = findDataChunk(bytes, size);
  if (chunk == 0) {
    return "no data chunk";
  }
  const std::size_t start = chunk + kChunkHeader;
  std::size_t length = readU32(bytes + chunk + 4);
  if (length > size - start) {
    length = size - start;
  }
  length -= length % static_cast<std::size_t>(format.blockAlign());
  if (length == 0) {
    return "no samples";
  }
  contents.format = format;
  contents.samples = bytes + start;
  contents.size = static_cast<u32>(length);
  return nullptr;
}

}  // namespace Engine::Sound
