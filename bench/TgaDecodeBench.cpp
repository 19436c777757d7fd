// TGA decoding against stb_image on the same bytes: a 1024x1024 32-bit
// picture, run-length encoded (the usual case for interface art) and raw.

#include <benchmark/benchmark.h>

#include <vector>

#include "Engine/Graphics/ImageFile.h"

#if __has_include(<stb/stb_image.h>)
#define MARROWDEEP_HAVE_STB 1
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#endif

namespace tga_decode_bench {

using Engine::u32;
using Engine::u8;

constexpr int kSide = 1024;

// Flat panels with gradients and noisy borders: runs and literals both.
u32 pixelAt(int x, int y) {
  if ((x / 64 + y / 64) % 3 == 0) {
    return 0xFF203040u;
  }
  if ((x / 64) % 2 == 0) {
    return 0xFF000000u | static_cast<u32>((x * 3) & 255) << 16 | static_cast<u32>(y & 255) << 8 | 0x80u;
  }
  const u32 noise = static_cast<u32>(x * 2654435761u ^ y * 40503u);
  return (noise & 0x00FFFFFFu) | 0xC0000000u;
}

void appendPixel(std::vector<u8>& out, u32 pixel) {
  for (int b = 0; b < 4; ++b) {
    out.push_back(static_cast<u8>(pixel >> (8 * b)));
  }
}

std::vector<u8> header(bool runLength) {
  std::vector<u8> file(18, 0);
  file[2] = runLength ? 10 : 2;
  file[12] = file[14] = kSide & 255;
  file[13] = file[15] = kSide >> 8;
  file[16] = 32;
  file[17] = 0x08;  // bottom-up, as most tools store it
  return file;
}

std::vector<u32> storedPixels() {
  std::vector<u32> pixels;
  pixels.reserve(static_cast<std::size_t>(kSide) * kSide);
  for (int y = kSide - 1; y >= 0; --y) {
    for (int x = 0; x < kSide; ++x) {
      pixels.push_back(pixelAt(x, y));
    }
  }
  return pixels;
}

std::vector<u8> rawFile() {
  std::vector<u8> file = header(false);
  for (const u32 pixel : storedPixels()) {
    appendPixel(file, pixel);
  }
  return file;
}

std::vector<u8> runLengthFile() {
  const std::vector<u32> pixels = storedPixels();
  std::vector<u8> file = header(true);
  std::size_t i = 0;
  while (i < pixels.size()) {
    std::size_t run = 1;
    while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) {
      ++run;
    }
    if (run > 1) {
      file.push_back(static_cast<u8>(0x80 | (run - 1)));
      appendPixel(file, pixels[i]);
      i += run;
      continue;
    }
    std::size_t literal = 1;
    while (i + literal < pixels.size() && literal < 128 && pixels[i + literal] != pixels[i + literal - 1]) {
      ++literal;
    }
    file.push_back(static_cast<u8>(literal - 1));
    for (std::size_t k = 0; k < literal; ++k) {
      appendPixel(file, pixels[i + k]);
    }
    i += literal;
  }
  return file;
}

void decodeWithEngine(benchmark::State& state, const std::vector<u8>& file) {
  for (auto _ : state) {
    const auto result = Engine::Graphics::readTga("bench.tga", file.data(), file.size());
    if (!result.ok()) {
      state.SkipWithError(result.error.c_str());
      break;
    }
    benchmark::DoNotOptimize(result.image.pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

void BM_TgaRle32_Engine(benchmark::State& state) { decodeWithEngine(state, runLengthFile()); }
void BM_TgaRaw32_Engine(benchmark::State& state) { decodeWithEngine(state, rawFile()); }
BENCHMARK(BM_TgaRle32_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TgaRaw32_Engine)->Unit(benchmark::kMillisecond);

#ifdef MARROWDEEP_HAVE_STB
void decodeWithStb(benchmark::State& state, const std::vector<u8>& file) {
  for (auto _ : state) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels, 4);
    if (!pixels) {
      state.SkipWithError("stb_image refused the file");
      break;
    }
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

void BM_TgaRle32_Stb(benchmark::State& state) { decodeWithStb(state, runLengthFile()); }
void BM_TgaRaw32_Stb(benchmark::State& state) { decodeWithStb(state, rawFile()); }
BENCHMARK(BM_TgaRle32_Stb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TgaRaw32_Stb)->Unit(benchmark::kMillisecond);
#endif

}  // namespace tga_decode_bench
