// Small-object allocation through the framework's memory manager against
// glibc's malloc on the same trace: sizes 8 to 512 bytes, random lifetimes,
// one thread. BM_SmallObjectRatio reports malloc's time over the manager's
// (above 1: the manager is faster).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "Engine/Base/MemoryManager.h"

namespace {

struct TraceStep {
  bool allocate;
  unsigned block;     // index into the block table
  unsigned size;      // bytes, for an allocation
};

// Each step allocates one block living 1 to 2000 steps; the blocks due frees first.
std::vector<TraceStep> makeTrace(unsigned blockCount) {
  std::mt19937 random(20261206);
  std::uniform_int_distribution<unsigned> size(8, 512);
  std::uniform_int_distribution<unsigned> lifetime(1, 2000);
  std::vector<std::vector<unsigned>> dueAt(blockCount + 2001);
  std::vector<TraceStep> trace;
  trace.reserve(2 * blockCount);
  for (unsigned step = 0; step < blockCount; ++step) {
    for (unsigned block : dueAt[step]) {
      trace.push_back({false, block, 0});
    }
    trace.push_back({true, step, size(random)});
    dueAt[step + lifetime(random)].push_back(step);
  }
  for (unsigned step = blockCount; step < dueAt.size(); ++step) {
    for (unsigned block : dueAt[step]) {
      trace.push_back({false, block, 0});
    }
  }
  return trace;
}

const std::vector<TraceStep>& trace() {
  static const std::vector<TraceStep> steps = makeTrace(100000);
  return steps;
}

template <class Allocate, class Free>
void replay(std::vector<void*>& blocks, Allocate&& allocate, Free&& release) {
  for (const TraceStep& step : trace()) {
    if (step.allocate) {
      auto* bytes = static_cast<char*>(allocate(step.size));
      bytes[0] = 1;
      blocks[step.block] = bytes;
    } else {
      release(blocks[step.block]);
    }
  }
  benchmark::ClobberMemory();
}

Engine::MemoryManager& benchManager() {
  static Engine::MemoryManager* manager = new Engine::MemoryManager();
  return *manager;
}

void replayManager(std::vector<void*>& blocks) {
  Engine::MemoryManager& manager = benchManager();
  replay(blocks, [&](std::size_t n) { return manager.allocate(n); }, [&](void* p) { manager.deallocate(p); });
}

void replayMalloc(std::vector<void*>& blocks) {
  replay(blocks, [](std::size_t n) { return std::malloc(n); }, [](void* p) { std::free(p); });
}

void BM_SmallObjectsManager(benchmark::State& state) {
  std::vector<void*> blocks(trace().size());
  for (auto _ : state) {
    replayManager(blocks);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(trace().size()));
}

void BM_SmallObjectsMalloc(benchmark::State& state) {
  std::vector<void*> blocks(trace().size());
  for (auto _ : state) {
    replayMalloc(blocks);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(trace().size()));
}

template <class Replay>
double secondsOf(Replay&& replayOnce, std::vector<void*>& blocks) {
  const auto start = std::chrono::steady_clock::now();
  replayOnce(blocks);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_SmallObjectRatio(benchmark::State& state) {
  std::vector<void*> blocks(trace().size());
  double managerSeconds = 0;
  double mallocSeconds = 0;
  for (auto _ : state) {
    managerSeconds += secondsOf(replayManager, blocks);
    mallocSeconds += secondsOf(replayMalloc, blocks);
  }
  state.counters["malloc/manager"] = mallocSeconds / managerSeconds;
}

}  // namespace

BENCHMARK(BM_SmallObjectsManager)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallObjectsMalloc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallObjectRatio)->Unit(benchmark::kMillisecond)->Iterations(50);
