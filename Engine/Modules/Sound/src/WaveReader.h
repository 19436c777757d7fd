#pragma once

#include <cstddef>

#include "Engine/Base/Types.h"

namespace Engine::Sound {

struct SampleFormat {
  i32 channels = 0;       // 1 or 2
  i32 bitsPerSample = 0;  // 8 (unsigned) or 16 (signed)
  i32 rate = 0;           // frames per second
  i32 blockAlign() const { return channels * bitsPerSample / 8; }
};

// Where the samples of a WAV file lie within its bytes.
struct WaveContents {
  SampleFormat format;
  const u8* samples = nullptr;  // inside the bytes read
  u32 size = 0;                 // whole frames only
};

// Reads a WAV file held in memory: the format fields of the canonical header
// (channels at 22, rate at 24, bits at 34), then the "data" chunk found by
// walking the chunks from offset 36. Every chunk is bounded by the buffer: a
// data chunk that claims more than is there is clipped. Returns null on
// success, else what is wrong with the file.
const char* readWave(const u8* bytes, std::size_t size, WaveContents& contents);

}  // namespace Engine::Sound
