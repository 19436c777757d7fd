// Small-object allocation through the framework's memory manager (the
// program's own instance, as the global operators use it) against glibc's
// malloc and mimalloc on the same trace: sizes 8 to 512 bytes, random
// lifetimes. The threaded runs replay the trace in every thread of a standing
// crew at once, each on its own blocks. BM_SmallObjectRatio reports each
// peer's time over the manager's (above 1: the manager is faster).

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <mimalloc.h>

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <mutex>
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

void replayManager(std::vector<void*>& blocks) {
  Engine::MemoryManager& manager = Engine::MemoryManager::global();
  replay(blocks, [&](std::size_t n) { return manager.allocate(n); }, [&](void* p) { manager.deallocate(p); });
}

// Linking mimalloc's shared library puts its malloc and free (and its
// __libc_malloc) in front of glibc's for the whole process: glibc's own are
// looked up in libc itself.
struct GlibcAllocator {
  void* (*allocate)(std::size_t);
  void (*release)(void*);
};

const GlibcAllocator& glibcAllocator() {
  static const GlibcAllocator functions = [] {
    void* libc = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
    GlibcAllocator found{reinterpret_cast<void* (*)(std::size_t)>(libc ? dlsym(libc, "malloc") : nullptr),
                         reinterpret_cast<void (*)(void*)>(libc ? dlsym(libc, "free") : nullptr)};
    if (!found.allocate || !found.release) {
      std::fprintf(stderr, "glibc's malloc not found\n");
      std::abort();
    }
    return found;
  }();
  return functions;
}

void replayMalloc(std::vector<void*>& blocks) {
  const GlibcAllocator glibc = glibcAllocator();
  replay(blocks, [&](std::size_t n) { return glibc.allocate(n); }, [&](void* p) { glibc.release(p); });
}

void replayMimalloc(std::vector<void*>& blocks) {
  replay(blocks, [](std::size_t n) { return mi_malloc(n); }, [](void* p) { mi_free(p); });
}

using Replay = void (*)(std::vector<void*>&);

// Long-lived workers, as the program's own threads are: each replays the trace
// on its own block table when told to. Thread start and end, and the tables,
// stay out of the timed span, and each allocator meets warm per-thread state
// alike.
class ReplayCrew {
 public:
  explicit ReplayCrew(unsigned threads) : mBlocks(threads, std::vector<void*>(trace().size())) {
    for (unsigned t = 1; t < threads; ++t) {
      mWorkers.emplace_back([this, t] { work(t); });
    }
  }
  ~ReplayCrew() {
    {
      std::lock_guard lock(mMutex);
      mStopping = true;
    }
    mStart.notify_all();
    for (std::thread& worker : mWorkers) {
      worker.join();
    }
  }
  ReplayCrew(const ReplayCrew&) = delete;
  ReplayCrew& operator=(const ReplayCrew&) = delete;

  // One replay in every thread at once (the calling one included); the wall
  // time of the whole.
  double secondsOf(Replay replayOnce) {
    const auto start = std::chrono::steady_clock::now();
    {
      std::lock_guard lock(mMutex);
      mReplay = replayOnce;
      mPending = static_cast<unsigned>(mWorkers.size());
      ++mRound;
    }
    mStart.notify_all();
    replayOnce(mBlocks[0]);
    std::unique_lock lock(mMutex);
    mDone.wait(lock, [this] { return mPending == 0; });
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

 private:
  void work(unsigned index) {
    unsigned seenRound = 0;
    for (;;) {
      Replay replayOnce = nullptr;
      {
        std::unique_lock lock(mMutex);
        mStart.wait(lock, [&] { return mStopping || mRound != seenRound; });
        if (mStopping) {
          return;
        }
        seenRound = mRound;
        replayOnce = mReplay;
      }
      replayOnce(mBlocks[index]);
      std::lock_guard lock(mMutex);
      if (--mPending == 0) {
        mDone.notify_one();
      }
    }
  }

  std::vector<std::vector<void*>> mBlocks;
  std::vector<std::thread> mWorkers;
  std::mutex mMutex;
  std::condition_variable mStart;
  std::condition_variable mDone;
  Replay mReplay = nullptr;
  unsigned mRound = 0;
  unsigned mPending = 0;
  bool mStopping = false;
};

template <Replay replayOnce>
void BM_SmallObjects(benchmark::State& state) {
  const auto threads = static_cast<unsigned>(state.range(0));
  ReplayCrew crew(threads);
  for (auto _ : state) {
    state.SetIterationTime(crew.secondsOf(replayOnce));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(threads * trace().size()));
}

// The three in turn, so a busy machine slows each alike.
void BM_SmallObjectRatio(benchmark::State& state) {
  ReplayCrew crew(static_cast<unsigned>(state.range(0)));
  double managerSeconds = 0;
  double mallocSeconds = 0;
  double mimallocSeconds = 0;
  for (auto _ : state) {
    managerSeconds += crew.secondsOf(replayManager);
    mallocSeconds += crew.secondsOf(replayMalloc);
    mimallocSeconds += crew.secondsOf(replayMimalloc);
  }
  state.counters["malloc/manager"] = mallocSeconds / managerSeconds;
  state.counters["mimalloc/manager"] = mimallocSeconds / managerSeconds;
}

}  // namespace

BENCHMARK(BM_SmallObjects<replayManager>)->Name("BM_SmallObjectsManager")->Arg(1)->Arg(2)->Arg(4)->Arg(8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallObjects<replayMalloc>)->Name("BM_SmallObjectsMalloc")->Arg(1)->Arg(2)->Arg(4)->Arg(8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallObjects<replayMimalloc>)->Name("BM_SmallObjectsMimalloc")->Arg(1)->Arg(2)->Arg(4)->Arg(8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallObjectRatio)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(30);
