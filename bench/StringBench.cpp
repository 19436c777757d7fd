// The game's String against std::string: building a text piece by piece from a
// 256-byte scratch string (growth is exact, so long texts grow quadratically),
// and the number parser against std::strtol on the same decimal texts.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/string/String.h"

namespace string_bench {

constexpr const char* kPiece = "word ";

void BM_StringAppend(benchmark::State& state) {
  for (auto _ : state) {
    Game::String text(256);
    text.assign("");
    for (int i = 0; i < state.range(0); ++i) {
      text.append(kPiece);
    }
    benchmark::DoNotOptimize(text.c_str());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StdStringAppend(benchmark::State& state) {
  for (auto _ : state) {
    std::string text;
    text.reserve(256);
    for (int i = 0; i < state.range(0); ++i) {
      text.append(kPiece);
    }
    benchmark::DoNotOptimize(text.c_str());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

std::vector<std::string> decimalTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < 1000; ++i) {
    texts.push_back(std::to_string((i * 7919) % 100000 - 50000));
  }
  return texts;
}

void BM_ParseInt(benchmark::State& state) {
  const auto texts = decimalTexts();
  for (auto _ : state) {
    for (const auto& text : texts) {
      benchmark::DoNotOptimize(Game::String::parseInt(text.c_str()));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

void BM_Strtol(benchmark::State& state) {
  const auto texts = decimalTexts();
  for (auto _ : state) {
    for (const auto& text : texts) {
      benchmark::DoNotOptimize(std::strtol(text.c_str(), nullptr, 10));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

BENCHMARK(BM_StringAppend)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_StdStringAppend)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_ParseInt);
BENCHMARK(BM_Strtol);

}  // namespace string_bench
