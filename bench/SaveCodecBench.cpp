// Packing and unpacking a save file (inversion, trailer, LZ) against zlib's
// compress and uncompress (deflate with its Adler-32 check) on the same
// save-like nml text. Compare bytes_per_second of each pair.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/file/SaveCodec.h"

namespace save_codec_bench {

using Bytes = std::vector<std::uint8_t>;

// A compact save document of about 64 KiB: variables, log lines, units.
const Bytes& savePayload() {
  static const Bytes payload = [] {
    std::mt19937 random(2105);
    std::string text = "head{year 2026;month 12;day 6;hour 22;minute 30;version 0;}flag{integer{";
    while (text.size() < 64 * 1024) {
      text += "event.floor" + std::to_string(random() % 40) + ".box" + std::to_string(random() % 16) + " " +
              std::to_string(random() % 3) + ";";
      if (random() % 8 == 0) {
        text += "}}party{ghost{name unit" + std::to_string(random() % 6) + ";lp " + std::to_string(random() % 999) +
                ";ap " + std::to_string(random() % 99) + ";}}flag{integer{";
      }
    }
    text += "}}";
    Bytes out(text.begin(), text.end());
    out.push_back(0);
    return out;
  }();
  return payload;
}

void finish(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * savePayload().size()));
}

void BM_SavePack(benchmark::State& state) {
  Bytes out;
  for (auto _ : state) {
    Game::SaveCodec::pack(out, savePayload().data(), static_cast<int>(savePayload().size()));
    benchmark::DoNotOptimize(out.data());
  }
  finish(state);
}

void BM_SaveUnpack(benchmark::State& state) {
  Bytes packed;
  Game::SaveCodec::pack(packed, savePayload().data(), static_cast<int>(savePayload().size()));
  const int capacity = Game::SaveCodec::unpackCapacity(static_cast<int>(packed.size()));
  Bytes out(static_cast<std::size_t>(capacity));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Game::SaveCodec::unpack(out.data(), capacity, packed.data(), static_cast<int>(packed.size())));
  }
  finish(state);
}

void BM_ZlibSavePack(benchmark::State& state) {
  Bytes out(compressBound(static_cast<uLong>(savePayload().size())));
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(out.size());
    compress2(out.data(), &size, savePayload().data(), static_cast<uLong>(savePayload().size()), 6);
    benchmark::DoNotOptimize(out.data());
  }
  finish(state);
}

void BM_ZlibSaveUnpack(benchmark::State& state) {
  uLongf packedSize = compressBound(static_cast<uLong>(savePayload().size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, savePayload().data(), static_cast<uLong>(savePayload().size()), 6);
  Bytes out(savePayload().size());
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(out.size());
    benchmark::DoNotOptimize(uncompress(out.data(), &size, packed.data(), packedSize));
  }
  finish(state);
}

BENCHMARK(BM_SavePack)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibSavePack)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveUnpack)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibSaveUnpack)->Unit(benchmark::kMicrosecond);

}  // namespace save_codec_bench
