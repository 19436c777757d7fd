// The framework's string hash map against std::unordered_map on the same keys.

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "Engine/Base/HashMap.h"

namespace base_bench {

std::vector<std::string> archiveLikeKeys(int count) {
  std::vector<std::string> keys;
  keys.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    keys.push_back("src/data/picture/entry" + std::to_string(i * 7919 % 100003) + ".txt");
  }
  return keys;
}

void BM_HashMapFind(benchmark::State& state) {
  const auto keys = archiveLikeKeys(static_cast<int>(state.range(0)));
  Engine::HashMap<int> map(static_cast<Engine::i32>(keys.size()), 0);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    map.add(keys[i].c_str(), static_cast<int>(i));
  }
  for (auto _ : state) {
    for (const auto& key : keys) {
      benchmark::DoNotOptimize(map.find(Engine::RefString(key.data(), static_cast<Engine::i32>(key.size()))));
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UnorderedMapFind(benchmark::State& state) {
  const auto keys = archiveLikeKeys(static_cast<int>(state.range(0)));
  std::unordered_map<std::string, int> map;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    map.emplace(keys[i], static_cast<int>(i));
  }
  for (auto _ : state) {
    for (const auto& key : keys) {
      benchmark::DoNotOptimize(map.find(key));
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_HashMapFind)->Arg(4096);
BENCHMARK(BM_UnorderedMapFind)->Arg(4096);

}  // namespace base_bench
