// The memory manager's per-thread caches. Also built into the
// ThreadSanitizer binary (tsan_tests), which sees the lock-free paths and the
// heap locks behind them.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "Engine/Base/MemoryManager.h"
#include "MemoryHeapCheck.h"

namespace {

using Engine::MemoryManager;
using Heap = Engine::MemoryManager::Heap;
using namespace Engine::MemoryHeap;
using namespace MemoryHeapCheck;

constexpr auto kCached = MemoryManager::ThreadCaching::On;

void expectEveryHeapOneFreeBlock(const MemoryManager& manager) {
  const auto heaps = heapsOf(manager);
  EXPECT_EQ(manager.totalSize(), heaps.size() * kHeapSize);
  for (const Heap* heap : heaps) {
    const auto blocks = blocksOf(*heap);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_TRUE(blocks[0].free);
    checkFreeLists(*heap);
  }
}

// Whether the block holding the payload is used, found by walking the heap
// without allocating: in the unit test binary any allocation goes through the
// global manager, whose use of this thread's cache would flush the manager
// under test.
bool isUsedBlock(const Heap& heap, const void* payload) {
  const Engine::u32 target = offsetOf(payload);
  Engine::u32 offset = kFirstBlockOffset;
  for (;;) {
    const Block* block = blockAt(const_cast<Heap&>(heap), offset);
    if (offset + block->size() > target || block->size() == 0) {
      return !block->isFree();
    }
    offset += block->size();
  }
}

TEST(MemoryThreadCacheTest, AFreedBlockServesTheNextRequestOfItsSizeOnly) {
  MemoryManager manager(kCached);
  void* first = manager.allocate(100);
  manager.allocate(100);  // keeps the first from merging with free space
  manager.deallocate(first);
  EXPECT_TRUE(isUsedBlock(*manager.newestHeap(), first)) << "held by the cache, not freed";

  void* larger = manager.allocate(200);
  EXPECT_NE(larger, first);
  EXPECT_EQ(manager.allocate(97), first);  // 97 to 108 bytes make the same block size
  manager.flushThreadCache();
}

TEST(MemoryThreadCacheTest, FlushingMergesCachedBlocksWithTheirNeighbours) {
  MemoryManager manager(kCached);
  std::vector<void*> blocks;
  blocks.reserve(50);
  for (int i = 0; i < 50; ++i) {
    blocks.push_back(manager.allocate(static_cast<std::size_t>(i) * 20));
  }
  for (void* block : blocks) {
    manager.deallocate(block);
  }
  manager.flushThreadCache();
  expectEveryHeapOneFreeBlock(manager);
  EXPECT_EQ(heapsOf(manager).size(), 1u);
}

TEST(MemoryThreadCacheTest, AnOverflowingSizeGoesBackToTheHeapOldestFirst) {
  MemoryManager manager(kCached);
  std::vector<void*> blocks;
  blocks.reserve(200);
  for (int i = 0; i < 200; ++i) {
    blocks.push_back(manager.allocate(40));
  }
  for (void* block : blocks) {
    manager.deallocate(block);
  }
  const Heap& heap = *manager.newestHeap();
  EXPECT_FALSE(isUsedBlock(heap, blocks.front())) << "the oldest were freed into the heap";
  EXPECT_TRUE(isUsedBlock(heap, blocks.back())) << "the newest stay cached";
  checkFreeLists(heap);
  manager.flushThreadCache();
  expectEveryHeapOneFreeBlock(manager);
}

TEST(MemoryThreadCacheTest, LargeAndUncachedSizesTakeTheDirectPath) {
  MemoryManager manager(kCached);
  void* large = manager.allocate(200000);
  EXPECT_EQ(manager.totalSize(), 200000u);
  manager.deallocate(large);
  EXPECT_EQ(manager.totalSize(), 0u);

  void* big = manager.allocate(MemoryManager::kMaxCachedBlockSize);  // one granule over the cached sizes
  manager.deallocate(big);
  expectEveryHeapOneFreeBlock(manager);
}

// Flushing would wait for the busy heap: a refill that finds no free heap
// makes a new one and leaves the cache alone. Nothing here may allocate
// between the calls (see isUsedBlock).
TEST(MemoryThreadCacheTest, ARefillThatFindsEveryHeapBusyMakesANewHeapAndKeepsTheCache) {
  MemoryManager manager(kCached);
  void* cached = manager.allocate(100);
  void* neighbour = manager.allocate(100);
  manager.deallocate(cached);
  auto& first = const_cast<Heap&>(*manager.newestHeap());
  first.lock.store(1);
  void* other = manager.allocate(300);  // no block of its size cached
  first.lock.store(0);

  EXPECT_NE(Heap::of(other), &first);
  EXPECT_EQ(manager.newestHeap()->next, &first);
  EXPECT_TRUE(isUsedBlock(first, cached)) << "still held by the cache";
  EXPECT_EQ(manager.allocate(100), cached);
  manager.deallocate(cached);
  manager.deallocate(neighbour);
  manager.deallocate(other);
  manager.flushThreadCache();
  expectEveryHeapOneFreeBlock(manager);
}

TEST(MemoryThreadCacheTest, AThreadsCacheGoesBackWhenItEnds) {
  MemoryManager manager(kCached);
  std::thread([&manager] {
    std::vector<void*> blocks;
    for (int i = 0; i < 300; ++i) {
      blocks.push_back(manager.allocate(static_cast<std::size_t>(i % 60) * 16));
    }
    for (void* block : blocks) {
      manager.deallocate(block);
    }
  }).join();
  expectEveryHeapOneFreeBlock(manager);
}

TEST(MemoryThreadCacheTest, UsingAnotherManagerReturnsTheFirstOnesBlocks) {
  MemoryManager first(kCached);
  MemoryManager second(kCached);
  void* block = first.allocate(64);
  first.deallocate(block);
  void* other = second.allocate(64);
  EXPECT_EQ(Heap::of(other), second.newestHeap());
  expectEveryHeapOneFreeBlock(first);
  second.deallocate(other);
  second.flushThreadCache();
  expectEveryHeapOneFreeBlock(second);
}

// Threads allocate and free through their caches and hand blocks to each
// other, so blocks are freed by a thread other than their own; every block's
// bytes are checked before it is freed.
TEST(MemoryThreadCacheStressTest, ThreadsHandingBlocksOverNeitherOverlapNorLoseBlocks) {
  MemoryManager manager(kCached);
  std::mutex exchangeMutex;
  std::vector<std::pair<unsigned char*, std::size_t>> exchange;
  std::atomic<int> faults{0};
  auto release = [&](unsigned char* data, std::size_t size) {
    const unsigned char tag = static_cast<unsigned char>(size);
    for (std::size_t i = 0; i < size; ++i) {
      if (data[i] != tag) {
        ++faults;
        break;
      }
    }
    manager.deallocate(data);
  };
  auto worker = [&](unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::pair<unsigned char*, std::size_t>> mine;
    for (int step = 0; step < 20000; ++step) {
      const unsigned roll = random() % 100;
      if (mine.empty() || roll < 50) {
        const std::size_t size = random() % 1100;
        auto* data = static_cast<unsigned char*>(manager.allocate(size));
        std::memset(data, static_cast<unsigned char>(size), size);
        mine.emplace_back(data, size);
      } else if (roll < 80) {
        std::swap(mine[random() % mine.size()], mine.back());
        release(mine.back().first, mine.back().second);
        mine.pop_back();
      } else if (roll < 90) {
        std::lock_guard lock(exchangeMutex);
        exchange.push_back(mine.back());
        mine.pop_back();
      } else {
        std::unique_lock lock(exchangeMutex);
        if (!exchange.empty()) {
          const auto block = exchange.back();
          exchange.pop_back();
          lock.unlock();
          release(block.first, block.second);
        }
      }
    }
    for (const auto& block : mine) {
      release(block.first, block.second);
    }
  };
  std::vector<std::thread> threads;
  for (unsigned i = 0; i < 4; ++i) {
    threads.emplace_back(worker, i + 1);
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  for (const auto& block : exchange) {
    release(block.first, block.second);
  }
  manager.flushThreadCache();
  EXPECT_EQ(faults.load(), 0);
  expectEveryHeapOneFreeBlock(manager);
}

}  // namespace
