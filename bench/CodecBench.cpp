// The archive codec against zlib (inflate and deflate at levels 1 and 6) on
// the same mixed corpus of data text and binary. Compare bytes_per_second of
// each pair; "ratio" is the compressed size over the input size.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "Engine/FileIO/Compression.h"

namespace codec_bench {

using Bytes = std::vector<std::uint8_t>;

// Data files: nml-like records with repeated keys, numbers and names.
void appendText(Bytes& out, std::size_t size, std::mt19937& random) {
  static const char* const kKeys[] = {"name", "hp", "attack", "defence", "model", "texture", "script", "price"};
  static const char* const kWords[] = {"slime", "goblin", "ghost", "sword", "shield", "potion", "src/picture/ch", "door"};
  std::string text;
  while (text.size() < size) {
    text += "item {\n";
    for (int field = 0; field < 6; ++field) {
      text += std::string("  ") + kKeys[random() % 8] + " = ";
      text += random() % 2 ? std::to_string(random() % 10000) : std::string("\"") + kWords[random() % 8] + "\"";
      text += ";\n";
    }
    text += "}\n";
  }
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
}

// Binary data: an image with smooth gradients and noise, and mesh floats.
void appendBinary(Bytes& out, std::size_t size, std::mt19937& random) {
  const std::size_t start = out.size();
  for (std::size_t i = 0; out.size() - start < size / 2; ++i) {
    const std::uint32_t x = i % 256;
    const std::uint32_t y = static_cast<std::uint32_t>(i / 256);
    out.push_back(static_cast<std::uint8_t>(x + (random() % 4)));
    out.push_back(static_cast<std::uint8_t>(y));
    out.push_back(static_cast<std::uint8_t>((x * y) >> 6));
    out.push_back(255);
  }
  while (out.size() - start < size) {
    const float value = static_cast<float>(random() % 1000) * 0.25f;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
  }
  out.resize(start + size);
}

const Bytes& corpus() {
  static const Bytes data = [] {
    std::mt19937 random(20261206);
    Bytes out;
    for (int part = 0; part < 4; ++part) {
      appendText(out, 256 * 1024, random);
      appendBinary(out, 256 * 1024, random);
    }
    return out;
  }();
  return data;
}

Bytes ourCompressed() {
  Bytes out;
  Engine::FileIO::compress(out, nullptr, corpus().data(), static_cast<std::uint32_t>(corpus().size()));
  return out;
}

Bytes zlibCompressed(int level) {
  uLongf size = compressBound(static_cast<uLong>(corpus().size()));
  Bytes out(size);
  compress2(out.data(), &size, corpus().data(), static_cast<uLong>(corpus().size()), level);
  out.resize(size);
  return out;
}

void finish(benchmark::State& state, std::size_t compressedSize) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus().size()));
  state.counters["ratio"] = static_cast<double>(compressedSize) / static_cast<double>(corpus().size());
}

void BM_OurDecompress(benchmark::State& state) {
  const Bytes packed = ourCompressed();
  Bytes out(corpus().size());
  for (auto _ : state) {
    std::uint32_t produced = 0;
    Engine::FileIO::decompress(out.data(), static_cast<std::uint32_t>(out.size()), &produced, packed.data(),
                               static_cast<std::uint32_t>(packed.size()));
    benchmark::DoNotOptimize(out.data());
  }
  finish(state, packed.size());
}

void BM_ZlibInflate(benchmark::State& state) {
  const Bytes packed = zlibCompressed(static_cast<int>(state.range(0)));
  Bytes out(corpus().size());
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(out.size());
    uncompress(out.data(), &size, packed.data(), static_cast<uLong>(packed.size()));
    benchmark::DoNotOptimize(out.data());
  }
  finish(state, packed.size());
}

double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Both decoders in turn on the thread's own clock, so a busy machine slows
// each alike: our bytes per second over inflate's at level 6 (2: twice as fast).
void BM_DecodeRatio(benchmark::State& state) {
  const Bytes ours = ourCompressed();
  const Bytes zlib = zlibCompressed(6);
  Bytes out(corpus().size());
  double ourSeconds = 0;
  double zlibSeconds = 0;
  for (auto _ : state) {
    double start = threadSeconds();
    std::uint32_t produced = 0;
    Engine::FileIO::decompress(out.data(), static_cast<std::uint32_t>(out.size()), &produced, ours.data(),
                               static_cast<std::uint32_t>(ours.size()));
    benchmark::DoNotOptimize(out.data());
    ourSeconds += threadSeconds() - start;
    start = threadSeconds();
    uLongf size = static_cast<uLongf>(out.size());
    uncompress(out.data(), &size, zlib.data(), static_cast<uLong>(zlib.size()));
    benchmark::DoNotOptimize(out.data());
    zlibSeconds += threadSeconds() - start;
  }
  state.counters["ours/inflate6_per_byte"] = zlibSeconds / ourSeconds;
}

// The scrambling step alone, on the compressed corpus.
void BM_Unscramble(benchmark::State& state) {
  const Bytes packed = ourCompressed();
  Bytes out(packed.size());
  for (auto _ : state) {
    Engine::FileIO::unscramble(out.data(), packed.data(), static_cast<std::uint32_t>(packed.size()));
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * packed.size()));
}

void BM_OurCompress(benchmark::State& state) {
  Bytes out;
  for (auto _ : state) {
    Engine::FileIO::compress(out, nullptr, corpus().data(), static_cast<std::uint32_t>(corpus().size()));
    benchmark::DoNotOptimize(out.data());
  }
  finish(state, out.size());
}

void BM_ZlibDeflate(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  Bytes out(compressBound(static_cast<uLong>(corpus().size())));
  uLongf size = 0;
  for (auto _ : state) {
    size = static_cast<uLongf>(out.size());
    compress2(out.data(), &size, corpus().data(), static_cast<uLong>(corpus().size()), level);
    benchmark::DoNotOptimize(out.data());
  }
  finish(state, size);
}

BENCHMARK(BM_OurDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRatio)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_Unscramble)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OurCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibDeflate)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace codec_bench
