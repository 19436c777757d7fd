#pragma once

// The layout of the memory manager's heaps, shared with its tests.
//
// A heap is a 16 MB region aligned to 16 MB, so the heap of a small block is
// its address with the low 24 bits cleared. Block headers sit at offsets of
// 8 modulo 16 and block sizes are multiples of 16, so every payload (header
// + 8) is 16-byte aligned. A used block's payload also owns the prevSize word
// of the next header, which only matters while the block is free: a block of
// size S carries S - 4 payload bytes. Free-list links are full pointers kept
// in the free block's payload, so a listed free block needs 8 + 16 bytes:
// free blocks under kMinListedSize are marked free but listed nowhere and are
// reached only by coalescing.

#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "Engine/Base/MemoryManager.h"
#include "Engine/Base/Types.h"

namespace Engine::MemoryHeap {

constexpr std::size_t kHeapSize = 0x1000000;
constexpr std::uintptr_t kHeapMask = ~std::uintptr_t{kHeapSize - 1};
constexpr u32 kEndOffset = kHeapSize - 8;  // the end marker's header
constexpr int kClassCount = 84;
constexpr u32 kFreeBit = 1;
constexpr u32 kPrevFreeBit = 2;
constexpr u32 kFlagMask = 15;
constexpr u32 kMinListedSize = 32;
constexpr u32 kGranule = 16;

struct Block {
  u32 prevSize;   // valid only while the previous block is free
  u32 sizeFlags;  // size | kFreeBit | kPrevFreeBit
  Block* next;    // free-list links: listed free blocks only
  Block* prev;

  u32 size() const { return sizeFlags & ~kFlagMask; }
  bool isFree() const { return (sizeFlags & kFreeBit) != 0; }
  bool isPrevFree() const { return (sizeFlags & kPrevFreeBit) != 0; }
  char* bytes() { return reinterpret_cast<char*>(this); }
  Block* following() { return reinterpret_cast<Block*>(bytes() + size()); }
  Block* preceding() { return reinterpret_cast<Block*>(bytes() - prevSize); }
  void* payload() { return bytes() + 8; }
  static Block* ofPayload(void* payload) { return reinterpret_cast<Block*>(static_cast<char*>(payload) - 8); }
};

// Class of a payload capacity n: n / 4 up to 32, then four classes per power
// of two, told apart by the two bits below the top bit.
constexpr int sizeClass(std::size_t n) {
  if (n <= 32) {
    return static_cast<int>(n / 4);
  }
  const int bits = static_cast<int>(std::bit_width(n));
  return static_cast<int>((n >> (bits - 3)) & 3) + 4 * bits - 16;
}

}  // namespace Engine::MemoryHeap

namespace Engine {

struct MemoryManager::Heap {
  void* reservationBase;
  Heap* next;                 // older heap
  std::atomic<u32> lock;
  u32 unused;
  u64 nonEmptyClasses[2];     // bit c: the list of class c has a block
  MemoryHeap::Block sentinels[MemoryHeap::kClassCount];

  char* bytes() { return reinterpret_cast<char*>(this); }
  const char* bytes() const { return reinterpret_cast<const char*>(this); }
  static Heap* of(void* payload) {
    return reinterpret_cast<Heap*>(reinterpret_cast<std::uintptr_t>(payload) & MemoryHeap::kHeapMask);
  }
};

namespace MemoryHeap {

// The first block header: the first offset of 8 modulo 16 past the heap's header.
constexpr u32 kFirstBlockOffset = static_cast<u32>((sizeof(MemoryManager::Heap) + 7) / 16 * 16 + 8);
constexpr u32 kFirstBlockSize = kEndOffset - kFirstBlockOffset;

inline Block* blockAt(MemoryManager::Heap& heap, u32 offset) { return reinterpret_cast<Block*>(heap.bytes() + offset); }

}  // namespace MemoryHeap

}  // namespace Engine
