// The memory manager's per-thread caches. Also built into the
// ThreadSanitizer binary (tsan_tests), which sees the lock-free paths and the
// heap locks behind them.

#include <gtest/gtest.h>

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

// Blocks freed by threads other than their own, through the caches.
TEST(MemoryThreadCacheStressTest, ThreadsHandingBlocksOverNeitherOverlapNorLoseBlocks) {
  MemoryManager manager(kCached);
  EXPECT_EQ(StressRun(manager).run(4), 0);
  manager.flushThreadCache();
  expectEveryHeapOneFreeBlock(manager);
}

}  // namespace
