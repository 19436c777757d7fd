#pragma once

// Walks a memory manager's heaps block by block and checks every boundary tag
// and free list against the blocks found.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "Base/src/MemoryHeap.h"

namespace MemoryHeapCheck {

struct BlockView {
  Engine::u32 offset;
  Engine::u32 size;
  bool free;
};

inline std::vector<BlockView> blocksOf(const Engine::MemoryManager::Heap& constHeap) {
  using namespace Engine::MemoryHeap;
  auto& heap = const_cast<Engine::MemoryManager::Heap&>(constHeap);
  std::vector<BlockView> blocks;
  Engine::u32 offset = kFirstBlockOffset;
  bool previousFree = false;
  Engine::u32 previousSize = 0;
  while (offset < kEndOffset) {
    Block* block = blockAt(heap, offset);
    EXPECT_EQ(block->isPrevFree(), previousFree) << "at " << offset;
    if (previousFree) {
      EXPECT_EQ(block->prevSize, previousSize) << "at " << offset;
    }
    EXPECT_FALSE(previousFree && block->isFree()) << "two free neighbours at " << offset;
    EXPECT_GE(block->size(), kGranule) << "at " << offset;
    if (block->size() < kGranule) {
      break;
    }
    blocks.push_back({offset, block->size(), block->isFree()});
    previousFree = block->isFree();
    previousSize = block->size();
    offset += block->size();
  }
  EXPECT_EQ(offset, kEndOffset);
  Block* end = blockAt(heap, kEndOffset);
  EXPECT_EQ(end->size(), 0u);
  EXPECT_EQ(end->isPrevFree(), previousFree);
  return blocks;
}

// Every listed block is a free block of the list's class, every free block
// that can be listed is listed once, and the class bitmap matches the lists.
inline void checkFreeLists(const Engine::MemoryManager::Heap& constHeap) {
  using namespace Engine::MemoryHeap;
  auto& heap = const_cast<Engine::MemoryManager::Heap&>(constHeap);
  std::set<Engine::u32> listable;
  for (const BlockView& view : blocksOf(heap)) {
    if (view.free && view.size >= kMinListedSize) {
      listable.insert(view.offset);
    }
  }
  std::set<Engine::u32> listed;
  for (int c = 0; c < kClassCount; ++c) {
    Block* sentinel = &heap.sentinels[c];
    const bool marked = (heap.nonEmptyClasses[c / 64] >> (c % 64)) & 1;
    EXPECT_EQ(marked, sentinel->next != sentinel) << "class " << c;
    for (Block* block = sentinel->next; block != sentinel; block = block->next) {
      EXPECT_EQ(block->next->prev, block);
      EXPECT_EQ(sizeClass(block->size() - 4), c);
      EXPECT_TRUE(listed.insert(static_cast<Engine::u32>(block->bytes() - heap.bytes())).second);
    }
  }
  EXPECT_EQ(listed, listable);
}

inline std::vector<const Engine::MemoryManager::Heap*> heapsOf(const Engine::MemoryManager& manager) {
  std::vector<const Engine::MemoryManager::Heap*> heaps;
  for (const auto* heap = manager.newestHeap(); heap; heap = heap->next) {
    heaps.push_back(heap);
  }
  return heaps;
}

inline Engine::u32 offsetOf(const void* payload) {
  return static_cast<Engine::u32>(reinterpret_cast<std::uintptr_t>(payload) & ~Engine::MemoryHeap::kHeapMask) - 8;
}

// Nothing lost: every heap is one free block again, its lists intact.
inline void expectEveryHeapOneFreeBlock(const Engine::MemoryManager& manager) {
  const auto heaps = heapsOf(manager);
  EXPECT_EQ(manager.totalSize(), heaps.size() * Engine::MemoryHeap::kHeapSize);
  for (const auto* heap : heaps) {
    const auto blocks = blocksOf(*heap);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_TRUE(blocks[0].free);
    checkFreeLists(*heap);
  }
}

// Takes its memory from malloc, past the global operators: in the unit test
// binary those use the global manager, whose use of a thread's cache would
// flush the manager under test each time.
template <class T>
struct MallocAllocator {
  using value_type = T;
  MallocAllocator() = default;
  template <class U>
  MallocAllocator(const MallocAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(std::malloc(n * sizeof(T))); }
  void deallocate(T* p, std::size_t) { std::free(p); }
  bool operator==(const MallocAllocator&) const = default;
};

// Threads allocate, check and free random blocks, handing some over to be
// freed by another thread. A map of the live blocks catches any overlap; a
// byte pattern at both ends catches a block written over while it is live.
class StressRun {
 public:
  explicit StressRun(Engine::MemoryManager& manager) : mManager(manager) {}

  // The number of faults seen.
  int run(unsigned threadCount) {
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < threadCount; ++i) {
      threads.emplace_back([this, i] { worker(i + 1); });
    }
    for (std::thread& thread : threads) {
      thread.join();
    }
    EXPECT_TRUE(mLive.empty());
    return mFaults;
  }

 private:
  struct LiveBlock {
    unsigned char* data;
    std::size_t size;
    unsigned char tag;
    std::size_t edge() const { return std::min<std::size_t>(size, 512); }
  };

  void worker(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<LiveBlock> mine;
    for (int step = 0; step < 20000; ++step) {
      const unsigned roll = random() % 100;
      if (mine.empty() || roll < 50) {
        mine.push_back(allocate(random, static_cast<unsigned char>(step)));
      } else if (roll < 90) {
        std::swap(mine[random() % mine.size()], mine.back());
        if (roll < 75) {
          std::lock_guard lock(mMutex);
          mExchange.push_back(mine.back());
        } else {
          release(mine.back());
        }
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

  LiveBlock allocate(std::mt19937& random, unsigned char tag) {
    const unsigned kind = random() % 1000;
    const std::size_t size = kind < 900 ? random() % 1100 : kind < 995 ? random() % 131073 : 131073 + random() % 200000;
    LiveBlock block{static_cast<unsigned char*>(mManager.allocate(size)), size, tag};
    const auto start = reinterpret_cast<std::uintptr_t>(block.data);
    const std::uintptr_t end = start + std::max<std::size_t>(size, 1);
    {
      std::lock_guard lock(mMutex);
      const auto next = mLive.lower_bound(start);
      const bool overlaps = (next != mLive.end() && next->first < end) ||
                            (next != mLive.begin() && std::prev(next)->second > start);
      if (start % 16 != 0 || overlaps) {
        ++mFaults;
      }
      mLive.emplace(start, end);
    }
    std::memset(block.data, tag, block.edge());
    std::memset(block.data + size - block.edge(), tag, block.edge());
    return block;
  }

  void release(const LiveBlock& block) {
    for (std::size_t i = 0; i < block.edge(); ++i) {
      if (block.data[i] != block.tag || block.data[block.size - 1 - i] != block.tag) {
        ++mFaults;
        break;
      }
    }
    {
      std::lock_guard lock(mMutex);
      mLive.erase(reinterpret_cast<std::uintptr_t>(block.data));
    }
    mManager.deallocate(block.data);
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

  Engine::MemoryManager& mManager;
  std::mutex mMutex;
  std::atomic<int> mFaults{0};
  std::map<std::uintptr_t, std::uintptr_t, std::less<>, MallocAllocator<std::pair<const std::uintptr_t, std::uintptr_t>>>
      mLive;  // start to end
  std::vector<LiveBlock> mExchange;
};

}  // namespace MemoryHeapCheck
