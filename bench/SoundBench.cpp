// The sound mixer against SDL_MixAudioFormat on the same buffers: sixteen
// 16-bit stereo 44.1 kHz voices summed into one second of output, at full
// volume and at half amplitude (-6 dB against SDL's volume 64). Compare the
// times of each pair as a ratio.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "Sound/src/Mixer.h"

namespace sound_bench {

constexpr int kVoices = 16;
constexpr std::size_t kFrames = 44100;

std::vector<std::vector<std::int16_t>> voiceBuffers() {
  std::vector<std::vector<std::int16_t>> buffers(kVoices);
  std::uint32_t seed = 12345;
  for (auto& buffer : buffers) {
    buffer.resize(kFrames * 2);
    for (auto& sample : buffer) {
      seed = seed * 1664525u + 1013904223u;
      sample = static_cast<std::int16_t>(static_cast<int>(seed >> 16) / 16 - 2048);
    }
  }
  return buffers;
}

void mixer(benchmark::State& state, Engine::f32 gain) {
  const auto buffers = voiceBuffers();
  Engine::Sound::Mixer mixer;
  std::vector<Engine::Sound::Voice> voices(kVoices);
  Engine::Sound::SampleFormat format;
  format.channels = 2;
  format.bitsPerSample = 16;
  format.rate = 44100;
  for (int i = 0; i < kVoices; ++i) {
    voices[static_cast<std::size_t>(i)].setSamples(format, reinterpret_cast<const Engine::u8*>(buffers[static_cast<std::size_t>(i)].data()),
                                                   static_cast<Engine::u32>(kFrames * 4));
    voices[static_cast<std::size_t>(i)].gain = gain;
    mixer.add(voices[static_cast<std::size_t>(i)]);
  }
  std::vector<std::int16_t> out(kFrames * 2);
  for (auto _ : state) {
    for (auto& voice : voices) {
      voice.position = 0;
      voice.playing = true;
    }
    mixer.render(out.data(), kFrames);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kFrames) * kVoices);
}

void sdlMix(benchmark::State& state, int volume) {
  const auto buffers = voiceBuffers();
  std::vector<std::int16_t> out(kFrames * 2);
  const Uint32 bytes = static_cast<Uint32>(out.size() * sizeof(std::int16_t));
  for (auto _ : state) {
    std::memset(out.data(), 0, bytes);
    for (const auto& buffer : buffers) {
      SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data()), reinterpret_cast<const Uint8*>(buffer.data()),
                         AUDIO_S16SYS, bytes, volume);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kFrames) * kVoices);
}

void BM_SoundMixerFullVolume(benchmark::State& state) { mixer(state, 1.0f); }
void BM_SdlMixAudioFullVolume(benchmark::State& state) { sdlMix(state, SDL_MIX_MAXVOLUME); }
void BM_SoundMixerHalfVolume(benchmark::State& state) { mixer(state, Engine::Sound::gainOf(-600)); }
void BM_SdlMixAudioHalfVolume(benchmark::State& state) { sdlMix(state, SDL_MIX_MAXVOLUME / 2); }

BENCHMARK(BM_SoundMixerFullVolume);
BENCHMARK(BM_SdlMixAudioFullVolume);
BENCHMARK(BM_SoundMixerHalfVolume);
BENCHMARK(BM_SdlMixAudioHalfVolume);

}  // namespace sound_bench
