#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "Engine/Base/MemoryManager.h"
#include "MemoryHeapCheck.h"

namespace {

using Engine::MemoryManager;
using Heap = Engine::MemoryManager::Heap;
using namespace Engine::MemoryHeap;
using namespace MemoryHeapCheck;

bool isAligned16(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 16 == 0; }

BlockView findBlock(const std::vector<BlockView>& blocks, const void* payload) {
  const Engine::u32 offset = offsetOf(payload);
  for (const BlockView& view : blocks) {
    if (view.offset == offset) {
      return view;
    }
  }
  ADD_FAILURE() << "no block at " << offset;
  return {};
}

TEST(MemoryManagerTest, RequestsUpToTheThresholdComeFromAHeapAndLargerOnesFromTheSystem) {
  MemoryManager manager;
  void* small = manager.allocate(131072);
  ASSERT_NE(manager.newestHeap(), nullptr);
  EXPECT_EQ(Heap::of(small), manager.newestHeap());
  EXPECT_EQ(manager.totalSize(), kHeapSize);
  std::memset(small, 0xAB, 131072);

  void* large = manager.allocate(131073);
  EXPECT_TRUE(isAligned16(large));
  EXPECT_EQ(manager.totalSize(), kHeapSize + 131088);  // rounded up to 16
  EXPECT_EQ(heapsOf(manager).size(), 1u);
  std::memset(large, 0xCD, 131073);

  manager.deallocate(large);
  EXPECT_EQ(manager.totalSize(), kHeapSize);
  manager.deallocate(small);
  const auto blocks = blocksOf(*manager.newestHeap());
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_TRUE(blocks[0].free);
  EXPECT_EQ(blocks[0].size, kFirstBlockSize);
}

TEST(MemoryManagerTest, FreeingABlockBetweenTwoFreeBlocksMergesAllThree) {
  MemoryManager manager;
  // Blocks are cut from the top of the free space: each lies below the last.
  void* guardAbove = manager.allocate(1000);
  void* above = manager.allocate(1000);
  void* middle = manager.allocate(1000);
  void* below = manager.allocate(1000);
  void* guardBelow = manager.allocate(1000);
  const Heap& heap = *manager.newestHeap();
  const auto before = blocksOf(heap);
  const Engine::u32 total = findBlock(before, above).size + findBlock(before, middle).size + findBlock(before, below).size;

  manager.deallocate(above);
  manager.deallocate(below);
  manager.deallocate(middle);

  const auto after = blocksOf(heap);
  const BlockView merged = findBlock(after, below);
  EXPECT_TRUE(merged.free);
  EXPECT_EQ(merged.size, total);
  EXPECT_EQ(offsetOf(guardAbove), merged.offset + merged.size);
  EXPECT_FALSE(findBlock(after, guardAbove).free);
  EXPECT_FALSE(findBlock(after, guardBelow).free);
  checkFreeLists(heap);

  // The merged block serves a request none of the three could alone.
  void* reuse = manager.allocate(1500);
  EXPECT_GE(offsetOf(reuse), offsetOf(below));
  EXPECT_LT(offsetOf(reuse), offsetOf(guardAbove));
}

TEST(MemoryManagerDeathTest, ARequestBeyondAnyMemoryStops) {
  MemoryManager manager;
  EXPECT_DEATH(manager.allocate(std::numeric_limits<std::size_t>::max()), "MemoryManager : No Memory!");
}

// Eight threads allocate, check and free random blocks, some of them freed by
// another thread than their own. A map of the live blocks catches any overlap;
// a byte pattern catches a block written over while it is live; at the end
// every heap must be one free block again, so no block was lost.
struct LiveBlock {
  unsigned char* data;
  std::size_t size;
  unsigned char tag;
  std::size_t edge() const { return std::min<std::size_t>(size, 512); }
};

class StressRun {
 public:
  explicit StressRun(MemoryManager& manager) : mManager(manager) {}

  void worker(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<LiveBlock> mine;
    for (int step = 0; step < 20000; ++step) {
      const unsigned roll = random() % 100;
      if (mine.empty() || roll < 50) {
        mine.push_back(allocate(random, static_cast<unsigned char>(step)));
      } else if (roll < 90) {
        std::swap(mine[random() % mine.size()], mine.back());
        roll < 75 ? handOver(mine.back()) : release(mine.back());
        mine.pop_back();
      } else {
        adoptOne();
      }
    }
    for (const LiveBlock& block : mine) {
      release(block);
    }
    while (adoptOne()) {
    }
  }

  std::atomic<int> faults{0};
  std::map<std::uintptr_t, std::uintptr_t> live;  // start to end

 private:
  LiveBlock allocate(std::mt19937& random, unsigned char tag) {
    const unsigned kind = random() % 1000;
    const std::size_t size = kind < 900 ? random() % 1024 : kind < 995 ? random() % 131073 : 131073 + random() % 200000;
    LiveBlock block{static_cast<unsigned char*>(mManager.allocate(size)), size, tag};
    const auto start = reinterpret_cast<std::uintptr_t>(block.data);
    const std::uintptr_t end = start + std::max<std::size_t>(size, 1);
    {
      std::lock_guard lock(mMutex);
      const auto next = live.lower_bound(start);
      const bool overlaps = (next != live.end() && next->first < end) ||
                            (next != live.begin() && std::prev(next)->second > start);
      if (!isAligned16(block.data) || overlaps) {
        ++faults;
      }
      live.emplace(start, end);
    }
    std::memset(block.data, tag, block.edge());
    std::memset(block.data + size - block.edge(), tag, block.edge());
    return block;
  }

  void release(const LiveBlock& block) {
    for (std::size_t i = 0; i < block.edge(); ++i) {
      if (block.data[i] != block.tag || block.data[block.size - 1 - i] != block.tag) {
        ++faults;
        break;
      }
    }
    {
      std::lock_guard lock(mMutex);
      live.erase(reinterpret_cast<std::uintptr_t>(block.data));
    }
    mManager.deallocate(block.data);
  }

  void handOver(const LiveBlock& block) {
    std::lock_guard lock(mMutex);
    mExchange.push_back(block);
  }

  bool adoptOne() {
    LiveBlock block{};
    {
      std::lock_guard lock(mMutex);
      if (mExchange.empty()) {
        return false;
      }
      block = mExchange.back();
      mExchange.pop_back();
    }
    release(block);
    return true;
  }

  MemoryManager& mManager;
  std::mutex mMutex;
  std::vector<LiveBlock> mExchange;
};

TEST(MemoryManagerStressTest, EightThreadsNeitherOverlapNorLoseBlocks) {
  MemoryManager manager;
  StressRun run(manager);
  std::vector<std::thread> threads;
  for (unsigned i = 0; i < 8; ++i) {
    threads.emplace_back([&run, i] { run.worker(i + 1); });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(run.faults.load(), 0);
  EXPECT_TRUE(run.live.empty());
  const auto heaps = heapsOf(manager);
  EXPECT_EQ(manager.totalSize(), heaps.size() * kHeapSize);
  for (const Heap* heap : heaps) {
    const auto blocks = blocksOf(*heap);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_TRUE(blocks[0].free);
    checkFreeLists(*heap);
  }
}

#if defined(MARROWDEEP_ENGINE_ALLOCATOR)

// Keeps the compiler from eliding a new-expression paired with its delete.
void* volatile gEscaped = nullptr;

struct alignas(64) Wide {
  char bytes[64];
};

TEST(GlobalOperatorsTest, EveryFormOfNewAndDeleteGoesThroughTheManager) {
  MemoryManager& global = MemoryManager::global();
  const std::size_t before = global.totalSize();
  char* large = new char[200000];
  gEscaped = large;
  EXPECT_EQ(global.totalSize(), before + 200000);
  delete[] large;
  EXPECT_EQ(global.totalSize(), before);

  auto small = std::make_unique<int>(7);
  const auto heaps = heapsOf(global);
  EXPECT_NE(std::find(heaps.begin(), heaps.end(), Heap::of(small.get())), heaps.end());
  EXPECT_TRUE(isAligned16(small.get()));

  auto wide = std::make_unique<Wide>();
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(wide.get()) % 64, 0u);
  std::vector<Wide> wides(5);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(wides.data()) % 64, 0u);

  int* quiet = new (std::nothrow) int[3];
  EXPECT_NE(std::find(heaps.begin(), heaps.end(), Heap::of(quiet)), heaps.end());
  delete[] quiet;
}

#endif

TEST(MemoryManagerTest, ASplitThatWouldLeaveAnUnlistableRestHandsOutTheWholeBlock) {
  MemoryManager manager;
  manager.allocate(64);
  void* hole = manager.allocate(100);  // a 112-byte block between used ones
  manager.allocate(64);
  const Heap& heap = *manager.newestHeap();
  EXPECT_EQ(findBlock(blocksOf(heap), hole).size, 112u);

  manager.deallocate(hole);
  void* whole = manager.allocate(80);  // would leave 16 free bytes
  EXPECT_EQ(whole, hole);
  EXPECT_FALSE(findBlock(blocksOf(heap), whole).free);

  manager.deallocate(whole);
  void* split = manager.allocate(64);  // leaves 32 free bytes in front
  EXPECT_NE(split, hole);
  const auto blocks = blocksOf(heap);
  const BlockView front = findBlock(blocks, hole);
  EXPECT_TRUE(front.free);
  EXPECT_EQ(front.size, 32u);
  checkFreeLists(heap);
}

}  // namespace
