#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SoundTest {

// Builds WAV files in memory: the canonical 36-byte header, then chunks.
class WaveBytes {
 public:
  WaveBytes(int channels, int rate, int bits) {
    append("RIFF");
    u32(0);
    append("WAVE");
    append("fmt ");
    u32(16);
    u16(1);
    u16(static_cast<std::uint16_t>(channels));
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate * channels * bits / 8));
    u16(static_cast<std::uint16_t>(channels * bits / 8));
    u16(static_cast<std::uint16_t>(bits));
  }

  // A chunk whose size field says declaredSize, followed by the given bytes.
  WaveBytes& chunk(const char* id, std::uint32_t declaredSize, const std::vector<std::uint8_t>& body) {
    append(id);
    u32(declaredSize);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return *this;
  }
  WaveBytes& chunk(const char* id, const std::vector<std::uint8_t>& body) {
    return chunk(id, static_cast<std::uint32_t>(body.size()), body);
  }
  WaveBytes& data16(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> body;
    for (std::int16_t sample : samples) {
      body.push_back(static_cast<std::uint8_t>(sample & 0xFF));
      body.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    }
    return chunk("data", body);
  }

  std::vector<std::uint8_t> bytes;

 private:
  void append(const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }
  void u16(std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value));
    u16(static_cast<std::uint16_t>(value >> 16));
  }
};

}  // namespace SoundTest
