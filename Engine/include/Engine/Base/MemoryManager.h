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
//
// With thread caching, each thread keeps its recently freed small blocks (up
// to kMaxCachedBlockSize bytes, a bounded number per size) for its own next
// requests of that size, without any lock. Cached blocks stay used blocks of
// their heaps; they are freed into them (and merged with free neighbours) when
// a size's cache overflows, when the thread ends, on flushThreadCache, and
// before a new heap is made, unless a heap was passed over for being busy
// (flushing would wait for it). Destroy such a manager only after every other
// thread that used it has ended or flushed.
class MemoryManager {
 public:
  static constexpr std::size_t kLargeThreshold = 131072;
  static constexpr std::size_t kMaxCachedBlockSize = 1024;

  enum class ThreadCaching { Off, On };

  constexpr explicit MemoryManager(ThreadCaching caching = ThreadCaching::Off)
      : mThreadCaching(caching == ThreadCaching::On) {}
  // Releases nothing (blocks may still be freed during the process's exit);
  // only the calling thread's cached blocks go back to their heaps.
  ~MemoryManager();
  MemoryManager(const MemoryManager&) = delete;
  MemoryManager& operator=(const MemoryManager&) = delete;

  // Never null: a failure stops the program.
  void* allocate(std::size_t size);
  // Null is ignored.
  void deallocate(void* payload);
  // Frees the calling thread's cached blocks into their heaps.
  void flushThreadCache();
  bool cachesThreads() const { return mThreadCaching; }

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
  void* allocateFromHeaps(std::size_t size, bool& skippedBusyHeap);
  void* allocateCached(std::size_t size, bool& skippedBusyHeap);
  bool cacheBlock(void* payload, u32 blockSize);
  void* allocateLarge(std::size_t size);
  [[gnu::noinline]] void deallocateUncached(void* payload, u32 flags);
  void deallocateLarge(void* payload);
  void publish(Heap* heap);

  std::atomic<Heap*> mHeaps{nullptr};
  LargeBlock* mLargeBlocks = nullptr;
  std::atomic<u32> mLargeLock{0};
  std::atomic<u32> mHeapListLock{0};
  std::atomic<std::size_t> mTotalSize{0};
  bool mThreadCaching;
};

// The program's allocator is never destroyed: static objects destroyed after
// it may still free their blocks.
union MemoryManagerStorage {
  MemoryManager manager{MemoryManager::ThreadCaching::On};
  constexpr MemoryManagerStorage() {}
  ~MemoryManagerStorage() {}
};
extern MemoryManagerStorage gMemoryManagerStorage;

// Inline: every new and delete of the program comes through here.
inline MemoryManager& MemoryManager::global() { return gMemoryManagerStorage.manager; }

}  // namespace Engine
