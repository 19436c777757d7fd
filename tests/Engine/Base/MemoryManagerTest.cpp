#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "Engine/Base/MemoryManager.h"
#include "MemoryHeapCheck.h"

namespace {

using Engine::MemoryManager;
using Heap = Engine::MemoryManager::Heap;
using namespace Engine::MemoryHeap;
using namespace MemoryHeapCheck;

bool isAligned16(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 16 == 0; }

BlockView findBlock(const std::vector<BlockView>& blocks, const void* payload) {
  const auto found = std::ranges::find(blocks, offsetOf(payload), &BlockView::offset);
  EXPECT_NE(found, blocks.end()) << "no block at " << offsetOf(payload);
  return found == blocks.end() ? BlockView{} : *found;
}

TEST(MemoryManagerTest, RequestsUpToTheThresholdComeFromAHeapAndLargerOnesFromTheSystem) {
  MemoryManager manager;
  void* small = manager.allocate(131072);
  EXPECT_EQ(Heap::of(small), manager.newestHeap());
  EXPECT_EQ(manager.totalSize(), kHeapSize);
  std::memset(small, 0xAB, 131072);

  void* large = manager.allocate(131073);
  EXPECT_TRUE(isAligned16(large));
  EXPECT_EQ(manager.totalSize(), kHeapSize + 131088);  // rounded up to 16
  std::memset(large, 0xCD, 131073);

  manager.deallocate(large);
  EXPECT_EQ(manager.totalSize(), kHeapSize);
  manager.deallocate(small);
  expectEveryHeapOneFreeBlock(manager);
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

TEST(MemoryManagerStressTest, EightThreadsNeitherOverlapNorLoseBlocks) {
  MemoryManager manager;
  EXPECT_EQ(StressRun(manager).run(8), 0);
  expectEveryHeapOneFreeBlock(manager);
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

  manager.deallocate(whole);
  void* split = manager.allocate(64);  // leaves 32 free bytes in front
  EXPECT_NE(split, hole);
  const BlockView front = findBlock(blocksOf(heap), hole);
  EXPECT_TRUE(front.free && front.size == 32u);
  checkFreeLists(heap);
}

}  // namespace
