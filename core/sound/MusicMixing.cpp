#include "core/sound/MusicMixing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Game::MusicMixing {

using Engine::i16;
using Engine::i32;
using Engine::u8;

namespace {

constexpr double kSilent = -100.0;
constexpr double kStep = 1.0717734098434448;  // 2^(1/10) in single precision
// Far beyond the point where the level has reached 0 dB after truncation.
constexpr i32 kMaxSteps = 1000;

i16 sampleAt(const u8* p) {
  i16 value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

}  // namespace

i32 attenuation(i32 volume, double tuneVolume) {
  const i32 steps = static_cast<i32>(std::clamp(volume * tuneVolume, -1.0, static_cast<double>(kMaxSteps)));
  double level = kSilent;
  for (i32 i = 0; i < steps; ++i) {
    level /= kStep;
  }
  return static_cast<i32>(level);
}

i32 spliceLoop(u8* chunk, i32 length, i32 loopOffset, i32 crossLength) {
  const i32 fade = std::min({crossLength, loopOffset, length - loopOffset}) & ~1;
  if (fade <= 0) {
    return length;
  }
  const i32 samples = fade / 2;
  u8* tail = chunk + loopOffset - fade;
  const u8* head = chunk + loopOffset;
  for (i32 k = 0; k < samples; ++k) {
    const double t = static_cast<double>(k) / samples;
    const double kept = std::trunc((1.0 - t) * sampleAt(tail + 2 * k));
    const auto blended = static_cast<i16>(std::trunc(t * sampleAt(head + 2 * k) + kept));
    std::memcpy(tail + 2 * k, &blended, sizeof blended);
  }
  std::memmove(chunk + loopOffset, chunk + loopOffset + fade, static_cast<std::size_t>(length - loopOffset - fade));
  return length - fade;
}

}  // namespace Game::MusicMixing
