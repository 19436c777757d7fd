#pragma once

#include <atomic>
#include <cstddef>

#include "Engine/Base/Types.h"

namespace Engine {

// The program's allocator. Requests of up to kLargeThreshold bytes come from
// 16 MB heaps (segregated free lists, boundary tags, coalescing); larger ones
// get their own virtual-memory region. Heaps are made on demand and kept.
// Every payload is 16-byte aligned. Any thread may allocate and free; each
// heap and each list has its own spin lock.
class MemoryManager {
 public:
  static constexpr std::size_t kLargeThreshold = 131072;

  constexpr MemoryManager() = default;
  // Releases nothing: blocks may still be freed during the process's exit.
  ~MemoryManager() = default;
  MemoryManager(const MemoryManager&) = delete;
  MemoryManager& operator=(const MemoryManager&) = delete;

  // Never null: a failure stops the program.
  void* allocate(std::size_t size);
  // Null is ignored.
  void deallocate(void* payload);

  // Bytes held from the system: the heaps plus the large blocks.
  std::size_t totalSize() const { return mTotalSize.load(std::memory_order_relaxed); }

  // The instance behind the global operators new and delete.
  static MemoryManager& global();

  struct Heap;
  struct LargeBlock;

  // The newest heap; heaps link to older ones through their next field.
  const Heap* newestHeap() const { return mHeaps.load(std::memory_order_acquire); }

 private:
  void* allocateSmall(std::size_t size);
  void* allocateLarge(std::size_t size);
  void deallocateLarge(void* payload);
  void publish(Heap* heap);

  std::atomic<Heap*> mHeaps{nullptr};
  LargeBlock* mLargeBlocks = nullptr;
  std::atomic<u32> mLargeLock{0};
  std::atomic<u32> mHeapListLock{0};
  std::atomic<std::size_t> mTotalSize{0};
};

}  // namespace Engine
