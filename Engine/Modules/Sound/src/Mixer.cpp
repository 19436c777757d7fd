#include "Sound/src/Mixer.h"

#include <algorithm>
#include <cmath>

namespace Engine::Sound {

namespace {

constexpr u64 kFractionMask = Voice::kOne - 1;
constexpr f32 kFractionScale = 1.0f / 4294967296.0f;

template <int Bits>
f32 sampleAt(const u8* p) {
  if constexpr (Bits == 8) {
    return (static_cast<f32>(p[0]) - 128.0f) * 256.0f;
  } else {
    return static_cast<f32>(static_cast<i16>(static_cast<u16>(p[0] | p[1] << 8)));
  }
}

template <int Channels, int Bits>
void readFrame(const u8* samples, u32 index, f32& left, f32& right) {
  constexpr std::size_t kSampleBytes = Bits / 8;
  const u8* frame = samples + std::size_t(index) * Channels * kSampleBytes;
  left = sampleAt<Bits>(frame);
  right = Channels == 2 ? sampleAt<Bits>(frame + kSampleBytes) : left;
}

// At the end of the samples: wraps a looping voice, stops and rewinds any
// other. True while the voice goes on.
bool continuePastEnd(Voice& voice) {
  if (voice.looping) {
    voice.position %= u64(voice.frameCount) << 32;
    return true;
  }
  voice.playing = false;
  voice.position = 0;
  return false;
}

// Source and output rates equal: frames are added straight, a span at a time.
template <int Channels, int Bits>
void mixUnity(Voice& voice, f32* sum, std::size_t count) {
  const f32 gain = voice.gain;
  std::size_t done = 0;
  while (done < count) {
    const u32 index = voice.frameIndex();
    const std::size_t span = std::min<std::size_t>(count - done, voice.frameCount - index);
    f32* out = sum + 2 * done;
    for (std::size_t i = 0; i < span; ++i) {
      f32 left;
      f32 right;
      readFrame<Channels, Bits>(voice.samples, index + static_cast<u32>(i), left, right);
      out[2 * i] += left * gain;
      out[2 * i + 1] += right * gain;
    }
    done += span;
    voice.position += u64(span) << 32;
    if (voice.frameIndex() >= voice.frameCount && !continuePastEnd(voice)) {
      return;
    }
  }
}

// Any other rate: linear interpolation between neighbouring frames.
template <int Channels, int Bits>
void mixResampled(Voice& voice, f32* sum, std::size_t count) {
  const f32 gain = voice.gain;
  for (std::size_t i = 0; i < count; ++i) {
    const u32 index = voice.frameIndex();
    const u32 next = index + 1 < voice.frameCount ? index + 1 : (voice.looping ? 0 : index);
    const f32 fraction = static_cast<f32>(voice.position & kFractionMask) * kFractionScale;
    f32 left0;
    f32 right0;
    f32 left1;
    f32 right1;
    readFrame<Channels, Bits>(voice.samples, index, left0, right0);
    readFrame<Channels, Bits>(voice.samples, next, left1, right1);
    sum[2 * i] += (left0 + (left1 - left0) * fraction) * gain;
    sum[2 * i + 1] += (right0 + (right1 - right0) * fraction) * gain;
    voice.position += voice.step;
    if (voice.frameIndex() >= voice.frameCount && !continuePastEnd(voice)) {
      return;
    }
  }
}

// A silent voice still moves on in time.
void advance(Voice& voice, std::size_t count) {
  voice.position += voice.step * count;
  if (voice.frameIndex() >= voice.frameCount) {
    continuePastEnd(voice);
  }
}

template <int Channels, int Bits>
void mixFormat(Voice& voice, f32* sum, std::size_t count) {
  if (voice.step == Voice::kOne && (voice.position & kFractionMask) == 0) {
    mixUnity<Channels, Bits>(voice, sum, count);
  } else {
    mixResampled<Channels, Bits>(voice, sum, count);
  }
}

void mixVoice(Voice& voice, f32* sum, std::size_t count) {
  if (voice.gain == 0.0f) {
    advance(voice, count);
    return;
  }
  const bool stereo = voice.format.channels == 2;
  if (voice.format.bitsPerSample == 8) {
    stereo ? mixFormat<2, 8>(voice, sum, count) : mixFormat<1, 8>(voice, sum, count);
  } else {
    stereo ? mixFormat<2, 16>(voice, sum, count) : mixFormat<1, 16>(voice, sum, count);
  }
}

std::int16_t toSample(f32 value) {
  const f32 clamped = std::clamp(value, -32768.0f, 32767.0f);
  return static_cast<std::int16_t>(std::lrintf(clamped));
}

}  // namespace

void Voice::setSamples(const SampleFormat& sampleFormat, const u8* data, u32 bytes) {
  format = sampleFormat;
  samples = data;
  frameCount = bytes / static_cast<u32>(format.blockAlign());
  step = (u64(static_cast<u32>(format.rate)) << 32) / u64(Platform::kAudioRate);
}

u32 Voice::framesPerOutput(std::size_t outputFrames) const {
  return static_cast<u32>((u64(outputFrames) * step + kFractionMask) >> 32);
}

f32 gainOf(i32 hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= -10000) {
    return 0.0f;
  }
  if (hundredthsOfDecibel >= 0) {
    return 1.0f;
  }
  return static_cast<f32>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

Mixer::Mixer() : mSum(kBlockFrames * Platform::kAudioChannels) {}

void Mixer::add(Voice& voice) {
  std::lock_guard<std::mutex> lock(mMutex);
  mVoices.push_back(&voice);
}

void Mixer::remove(Voice& voice) {
  std::lock_guard<std::mutex> lock(mMutex);
  const auto found = std::find(mVoices.begin(), mVoices.end(), &voice);
  if (found != mVoices.end()) {
    *found = mVoices.back();
    mVoices.pop_back();
  }
}

void Mixer::render(std::int16_t* frames, std::size_t frameCount) {
  while (frameCount > 0) {
    const std::size_t block = std::min(frameCount, kBlockFrames);
    mixBlock(block);
    const std::size_t samples = block * Platform::kAudioChannels;
    for (std::size_t i = 0; i < samples; ++i) {
      frames[i] = toSample(mSum[i]);
    }
    frames += samples;
    frameCount -= block;
  }
}

void Mixer::mixBlock(std::size_t frameCount) {
  std::fill_n(mSum.begin(), frameCount * Platform::kAudioChannels, 0.0f);
  std::lock_guard<std::mutex> lock(mMutex);
  for (Voice* voice : mVoices) {
    if (voice->playing) {
      mixVoice(*voice, mSum.data(), frameCount);
    }
  }
}

}  // namespace Engine::Sound
