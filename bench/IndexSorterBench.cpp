// The index sorter against std::sort of the same positions by the same keys
// (greatest first), on random float keys such as the battle's unit order.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "core/container/IndexSorter.h"

namespace index_sorter_bench {

void fillRandomKeys(Game::Array2D<float>& keys, int count) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> spread(0.0f, 1000.0f);
  keys.setSize(count);
  for (Engine::u32 i = 0; i < keys.size(); ++i) {
    keys.at(i) = spread(random);
  }
}

void BM_IndexSorter(benchmark::State& state) {
  Game::Array2D<float> keys;
  fillRandomKeys(keys, static_cast<int>(state.range(0)));
  Game::IndexSorter<float> sorter;
  for (auto _ : state) {
    sorter.buildFromArray(keys);
    benchmark::DoNotOptimize(sorter.indexAt(0));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StdSortPositions(benchmark::State& state) {
  Game::Array2D<float> keys;
  fillRandomKeys(keys, static_cast<int>(state.range(0)));
  std::vector<Engine::u32> order(keys.size());
  for (auto _ : state) {
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](Engine::u32 a, Engine::u32 b) { return keys.at(b) < keys.at(a); });
    benchmark::DoNotOptimize(order.front());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_IndexSorter)->Arg(12)->Arg(64)->Arg(1024);
BENCHMARK(BM_StdSortPositions)->Arg(12)->Arg(64)->Arg(1024);

}  // namespace index_sorter_bench
