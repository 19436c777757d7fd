#pragma once

// Walks a memory manager's heaps block by block and checks every boundary tag
// and free list against the blocks found.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
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

}  // namespace MemoryHeapCheck
