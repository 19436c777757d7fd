// Weighted picks of the game's table against std::discrete_distribution (over
// std::mt19937) on the same weights; the reach map of DistanceGrid against a
// plain breadth-first search on a grid of unit costs, which gives the same map.

#include <benchmark/benchmark.h>

#include <deque>
#include <random>
#include <vector>

#include "core/math/DistanceGrid.h"
#include "core/random/RandomGenerator.h"
#include "core/random/WeightedTable.h"

namespace random_bench {

std::vector<float> benchWeights(int count) {
  std::vector<float> weights;
  for (int i = 0; i < count; ++i) {
    weights.push_back(static_cast<float>(i % 7) + (i % 3 == 0 ? 0.f : 0.5f));
  }
  return weights;
}

void BM_WeightedTablePick(benchmark::State& state) {
  Game::WeightedTable table(static_cast<int>(state.range(0)));
  for (float weight : benchWeights(static_cast<int>(state.range(0)))) {
    table.addWeight(weight);
  }
  Game::RandomGenerator random(2026);
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.pick(random));
  }
}

void BM_StdDiscreteDistribution(benchmark::State& state) {
  const std::vector<float> weights = benchWeights(static_cast<int>(state.range(0)));
  std::discrete_distribution<int> distribution(weights.begin(), weights.end());
  std::mt19937 random(2026);
  for (auto _ : state) {
    benchmark::DoNotOptimize(distribution(random));
  }
}

BENCHMARK(BM_WeightedTablePick)->Arg(8)->Arg(64);
BENCHMARK(BM_StdDiscreteDistribution)->Arg(8)->Arg(64);

constexpr int kGridSide = 64;
constexpr float kBudget = 40.f;

void BM_DistanceGridFill(benchmark::State& state) {
  Game::DistanceGrid grid;
  grid.setSize(kGridSide, kGridSide);
  for (int x = 0; x < kGridSide; ++x) {
    for (int y = 0; y < kGridSide; ++y) {
      grid.set(x, y, 1.f);
    }
  }
  for (auto _ : state) {
    grid.fill(kGridSide / 2, kGridSide / 2, kBudget);
    benchmark::DoNotOptimize(grid.reach(0, 0));
  }
}

void BM_PlainBreadthFirst(benchmark::State& state) {
  std::vector<float> reach(kGridSide * kGridSide);
  std::deque<int> queue;
  const int steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (auto _ : state) {
    std::fill(reach.begin(), reach.end(), 0.f);
    const int start = kGridSide / 2 * kGridSide + kGridSide / 2;
    reach[start] = kBudget + 1.f;
    queue.push_back(start);
    while (!queue.empty()) {
      const int cell = queue.front();
      queue.pop_front();
      for (const auto& step : steps) {
        const int x = cell / kGridSide + step[0];
        const int y = cell % kGridSide + step[1];
        if (x < 0 || y < 0 || x >= kGridSide || y >= kGridSide) {
          continue;
        }
        const float candidate = reach[cell] - 1.f;
        if (reach[x * kGridSide + y] < candidate) {
          reach[x * kGridSide + y] = candidate;
          queue.push_back(x * kGridSide + y);
        }
      }
    }
    benchmark::DoNotOptimize(reach[0]);
  }
}

BENCHMARK(BM_DistanceGridFill);
BENCHMARK(BM_PlainBreadthFirst);

}  // namespace random_bench
