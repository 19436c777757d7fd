#include "Engine/Base/MemoryManager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <thread>

#include "Base/src/MemoryHeap.h"
#include "Engine/Base/Assert.h"
#include "Platform/VirtualMemory.h"

namespace Engine {

constinit MemoryManagerStorage gMemoryManagerStorage;

using namespace MemoryHeap;
using Heap = MemoryManager::Heap;

struct MemoryManager::LargeBlock {
  LargeBlock* prev;
  LargeBlock* next;
  std::size_t size;   // the payload size rounded up to 16
  u32 unused;
  u32 largeMark;      // right before the payload: bit 0 set tells a large block
};
static_assert(sizeof(MemoryManager::LargeBlock) == 32);

namespace {

constexpr std::size_t kLargeGranule = 65536;
constexpr std::size_t kMaxLargeSize = std::numeric_limits<std::size_t>::max() - 2 * kLargeGranule;

// Reporting a failure allocates (the message box's text); a failure met while
// reporting one would recurse, so the second one ends the program directly.
thread_local bool tReportingFailure = false;

[[noreturn]] void fail(const char* file, int line, const char* text) {
  if (tReportingFailure) {
    std::fprintf(stderr, "Critical Error!\n%s:%d : %s\n", file, line, text);
    std::_Exit(EXIT_FAILURE);
  }
  tReportingFailure = true;
  halt(file, line, text);
}

#define MEMORY_ASSERT(expression)                 \
  do {                                            \
    if (!(expression)) {                          \
      fail(__FILE__, __LINE__, #expression);      \
    }                                             \
  } while (false)

// Interlocked spin locks: yield the processor after every 10 failed tries.
[[gnu::always_inline]] inline bool tryLock(std::atomic<u32>& lock) {
  u32 expected = 0;
  return lock.compare_exchange_strong(expected, 1, std::memory_order_acquire, std::memory_order_relaxed);
}

// Out of line: the spin loop stays off the callers' paths.
[[gnu::noinline]] void acquire(std::atomic<u32>& lock) {
  int tries = 0;
  while (!tryLock(lock)) {
    if (++tries == 10) {
      tries = 0;
      std::this_thread::yield();
    }
  }
}

[[gnu::always_inline]] inline void release(std::atomic<u32>& lock) { lock.store(0, std::memory_order_release); }

class SpinGuard {
 public:
  explicit SpinGuard(std::atomic<u32>& lock) : mLock(lock) { acquire(mLock); }
  ~SpinGuard() { release(mLock); }
  SpinGuard(const SpinGuard&) = delete;
  SpinGuard& operator=(const SpinGuard&) = delete;

 private:
  std::atomic<u32>& mLock;
};

// The owner of a used block reads its flags word without the heap's lock to
// tell a large block from a small one, while a neighbour's change under the
// lock flips the word's previous-free bit: both sides go through relaxed
// atomic accesses (plain moves on x86-64).
void setNeighbourFlags(Block* block, u32 sizeFlags) {
  std::atomic_ref<u32>(block->sizeFlags).store(sizeFlags, std::memory_order_relaxed);
}

// Free lists --------------------------------------------------------------

[[gnu::always_inline]] inline void markClass(Heap& heap, int sizeClassIndex, bool nonEmpty) {
  const u64 bit = u64{1} << (sizeClassIndex & 63);
  u64& word = heap.nonEmptyClasses[sizeClassIndex >> 6];
  word = nonEmpty ? (word | bit) : (word & ~bit);
}

[[gnu::always_inline]] inline void insert(Heap& heap, Block* block) {
  const auto offset = static_cast<std::size_t>(block->bytes() - heap.bytes());
  MEMORY_ASSERT(offset < kEndOffset && "addr < 0xfffff8");
  const int listClass = sizeClass(block->size() - 4);
  Block* sentinel = &heap.sentinels[listClass];
  block->prev = sentinel;
  block->next = sentinel->next;
  sentinel->next->prev = block;
  sentinel->next = block;
  markClass(heap, listClass, true);
}

[[gnu::always_inline]] inline void unlink(Heap& heap, Block* block) {
  if (block->sizeFlags < kMinListedSize) {
    return;  // too small to be listed
  }
  block->prev->next = block->next;
  block->next->prev = block->prev;
  if (block->prev == block->next) {  // only the sentinel is left
    markClass(heap, static_cast<int>(block->next - heap.sentinels), false);
  }
}

// The first non-empty class from `first` up, or -1.
[[gnu::always_inline]] inline int firstListedClass(const Heap& heap, int first) {
  if (first < 64) {
    const u64 candidates = heap.nonEmptyClasses[0] & (~u64{0} << first);
    if (candidates != 0) {
      return std::countr_zero(candidates);
    }
    first = 64;
  }
  if (first < kClassCount) {
    const u64 candidates = heap.nonEmptyClasses[1] & (~u64{0} << (first - 64));
    if (candidates != 0) {
      return 64 + std::countr_zero(candidates);
    }
  }
  return -1;
}

// Heaps ----------------------------------------------------------------------

Heap* makeHeap() {
  void* reservation = Platform::reserveVirtualMemory(2 * kHeapSize);
  MEMORY_ASSERT(reservation && "MemoryManager : Address Space Full!");
  const auto base = reinterpret_cast<std::uintptr_t>(reservation);
  void* aligned = reinterpret_cast<void*>((base + kHeapSize - 1) & kHeapMask);
  const bool committed = Platform::commitVirtualMemory(aligned, kHeapSize);
  MEMORY_ASSERT(committed && "MemoryManager : No Memory!");

  Heap* heap = new (aligned) Heap{};
  heap->reservationBase = reservation;
  for (Block& sentinel : heap->sentinels) {
    sentinel.prevSize = 0xFFFFFFFF;
    sentinel.sizeFlags = 0xFFFFFFFF;
    sentinel.next = &sentinel;
    sentinel.prev = &sentinel;
  }
  Block* first = blockAt(*heap, kFirstBlockOffset);
  first->sizeFlags = kFirstBlockSize | kFreeBit;
  insert(*heap, first);
  Block* end = blockAt(*heap, kEndOffset);
  end->prevSize = kFirstBlockSize;
  end->sizeFlags = kPrevFreeBit;
  return heap;
}

// Cuts n payload bytes from the top end of a free block big enough for them;
// null when the heap has none.
void* allocateFrom(Heap& heap, std::size_t n) {
  const int listClass = firstListedClass(heap, sizeClass(n) + 1);
  if (listClass < 0) {
    return nullptr;
  }
  Block* block = heap.sentinels[listClass].next;
  char* start = block->bytes();
  char* end = start + block->size();
  Block* following = reinterpret_cast<Block*>(end);
  const auto payload = (reinterpret_cast<std::uintptr_t>(end) + 4 - n) & ~std::uintptr_t{kGranule - 1};
  char* header = reinterpret_cast<char*>(payload) - 8;

  setNeighbourFlags(following, following->sizeFlags & ~kPrevFreeBit);
  if (header < start + kMinListedSize) {
    unlink(heap, block);
    block->sizeFlags &= ~kFreeBit;  // what would stay free could not be listed: hand out all
    return block->payload();
  }
  const auto frontSize = static_cast<u32>(header - start);
  block->sizeFlags = frontSize | kFreeBit | (block->sizeFlags & kPrevFreeBit);
  if (sizeClass(frontSize - 4) != listClass) {  // else it keeps its place in its list
    unlink(heap, block);
    insert(heap, block);
  }
  Block* used = reinterpret_cast<Block*>(header);
  used->prevSize = frontSize;
  used->sizeFlags = static_cast<u32>(end - header) | kPrevFreeBit;
  return used->payload();
}

// Frees a block, merging it with free neighbours into one free block.
void freeBlock(Heap& heap, Block* block) {
  Block* start = block;
  u32 size = block->size();
  Block* following = block->following();
  if (block->isPrevFree()) {
    start = block->preceding();
    size += block->prevSize;
    unlink(heap, start);
  }
  if (following->isFree()) {
    size += following->size();
    unlink(heap, following);
    following = following->following();
  }
  start->sizeFlags = size | kFreeBit | (start->sizeFlags & kPrevFreeBit);
  following->prevSize = size;
  setNeighbourFlags(following, following->sizeFlags | kPrevFreeBit);
  if (size >= kMinListedSize) {
    insert(heap, start);
  }
}

// The word right before a payload: a large block's mark, or a used small
// block's sizeFlags, whose previous-free bit a neighbour may flip meanwhile.
u32 flagsBefore(void* payload) {
  u32& flags = *reinterpret_cast<u32*>(static_cast<char*>(payload) - 4);
  return std::atomic_ref<u32>(flags).load(std::memory_order_relaxed);
}

std::size_t largeRegionSize(std::size_t roundedSize) {
  return (roundedSize + sizeof(MemoryManager::LargeBlock) + kLargeGranule - 1) & ~(kLargeGranule - 1);
}

// Thread caches ----------------------------------------------------------------

constexpr u32 kMaxCachedSize = static_cast<u32>(MemoryManager::kMaxCachedBlockSize);
constexpr int kCacheBins = static_cast<int>(kMaxCachedSize / kGranule);
constexpr u32 kBinCapacity = 64;  // an overflowing bin keeps its newest half
constexpr u32 kRefillBytes = 4096;  // a refill takes up to this much of one size at once
constexpr u32 kMaxRefillCount = 32;
static_assert(kMaxRefillCount <= kBinCapacity, "a refill lands in an empty bin");

// The size of the block a request of n payload bytes is cut as.
constexpr u32 blockSizeFor(std::size_t n) { return static_cast<u32>((n + 4 + kGranule - 1) & ~std::size_t{kGranule - 1}); }
constexpr int binOf(u32 blockSize) { return static_cast<int>(blockSize / kGranule) - 1; }

// Frees blocks, holding each heap's lock across a run of blocks from that heap.
void freeBlocks(Block* const* blocks, u32 count) {
  Heap* locked = nullptr;
  for (u32 k = 0; k < count; ++k) {
    Block* block = blocks[k];
    Heap* heap = Heap::of(block);
    if (heap != locked) {
      if (locked) {
        release(locked->lock);
      }
      acquire(heap->lock);
      locked = heap;
    }
    freeBlock(*heap, block);
  }
  if (locked) {
    release(locked->lock);
  }
}

// Per bin, a stack of used blocks of exactly that size, newest on top. The
// blocks are kept by address, not linked through their payloads, so taking
// one reads nothing from the block itself. It serves one manager at a time.
// Trivially destructible, so the fast paths reach it without a thread-local
// initialisation check; a separate object flushes it when the thread ends.
struct ThreadCache {
  const MemoryManager* owner = nullptr;
  bool retired = false;  // the thread is ending: no more caching
  u32 counts[kCacheBins] = {};
  Block* slots[kCacheBins][kBinCapacity] = {};

  void flushAll() {
    for (int bin = 0; bin < kCacheBins; ++bin) {
      const u32 count = counts[bin];
      counts[bin] = 0;
      freeBlocks(slots[bin], count);
    }
    owner = nullptr;
  }

  // False once the thread is ending.
  bool serve(const MemoryManager* manager);

  Block* pop(int bin) { return slots[bin][--counts[bin]]; }

  // Room is the caller's to check.
  void add(int bin, Block* block) { slots[bin][counts[bin]++] = block; }

  void push(int bin, Block* block) {
    if (counts[bin] == kBinCapacity) {
      trim(bin);
    }
    add(bin, block);
  }

  // Frees the older half of a full bin.
  void trim(int bin) {
    constexpr u32 kept = kBinCapacity / 2;
    Block** stack = slots[bin];
    freeBlocks(stack, kBinCapacity - kept);
    std::copy(stack + (kBinCapacity - kept), stack + kBinCapacity, stack);
    counts[bin] = kept;
  }

  bool empty() const {
    for (u32 count : counts) {
      if (count != 0) {
        return false;
      }
    }
    return true;
  }
};

// Initial-exec: a fixed offset from the thread pointer even if this code ends
// up in a shared object.
constinit thread_local ThreadCache tCache [[gnu::tls_model("initial-exec")]];

struct ThreadCacheReaper {
  ~ThreadCacheReaper() {
    tCache.retired = true;
    tCache.flushAll();
  }
  void arm() {}
};

thread_local ThreadCacheReaper tReaper;

bool ThreadCache::serve(const MemoryManager* manager) {
  if (owner == manager) {
    return true;
  }
  if (retired) {
    return false;
  }
  tReaper.arm();  // registers the flush at the thread's end
  flushAll();
  owner = manager;
  return true;
}

// Cuts `count` blocks of one size at once from the top end of a free block
// that keeps a listable rest; null when the heap has no such block. The
// lowest cut block is returned, the others go to the cache's bin.
void* carveFrom(Heap& heap, ThreadCache& cache, u32 blockSize, u32 count) {
  const u32 cutSize = blockSize * count;
  const int listClass = firstListedClass(heap, sizeClass(cutSize + kMinListedSize) + 1);
  if (listClass < 0) {
    return nullptr;
  }
  Block* block = heap.sentinels[listClass].next;
  char* end = block->bytes() + block->size();
  Block* following = reinterpret_cast<Block*>(end);
  setNeighbourFlags(following, following->sizeFlags & ~kPrevFreeBit);
  const u32 frontSize = block->size() - cutSize;
  block->sizeFlags = frontSize | kFreeBit | (block->sizeFlags & kPrevFreeBit);
  if (sizeClass(frontSize - 4) != listClass) {  // else it keeps its place in its list
    unlink(heap, block);
    insert(heap, block);
  }
  const int bin = binOf(blockSize);
  for (u32 k = 1; k < count; ++k) {
    Block* cut = reinterpret_cast<Block*>(end - k * blockSize);
    cut->sizeFlags = blockSize;
    cache.add(bin, cut);
  }
  Block* lowest = reinterpret_cast<Block*>(end - cutSize);
  lowest->prevSize = frontSize;
  lowest->sizeFlags = blockSize | kPrevFreeBit;
  return lowest->payload();
}

// A batch of blocks of one size from a locked heap, else a single block
// (which may be handed out whole, one granule larger); null when the heap has
// no room.
void* refillFrom(Heap& heap, ThreadCache& cache, u32 blockSize, u32 count) {
  if (count > 1) {
    if (void* payload = carveFrom(heap, cache, blockSize, count)) {
      return payload;
    }
  }
  return allocateFrom(heap, blockSize - 4);
}

}  // namespace

MemoryManager::~MemoryManager() {
  if (tCache.owner == this) {
    tCache.flushAll();
  }
}

void MemoryManager::flushThreadCache() {
  if (tCache.owner == this) {
    tCache.flushAll();
  }
}

// A thread's cache is only ever given to a caching manager, so its owner
// alone tells the fast paths that this manager caches.
void* MemoryManager::allocate(std::size_t size) {
  if (size <= kMaxCachedSize - 4) {
    ThreadCache& cache = tCache;
    const int bin = binOf(blockSizeFor(size));
    if (cache.owner == this && cache.counts[bin] != 0) {
      return cache.pop(bin)->payload();
    }
  }
  return size <= kLargeThreshold ? allocateSmall(size) : allocateLarge(size);
}

// A batch of blocks of the request's size from the first heap that has room
// (a busy heap is skipped); null when none serves.
void* MemoryManager::allocateCached(std::size_t size, bool& skippedBusyHeap) {
  ThreadCache& cache = tCache;
  if (!cache.serve(this)) {
    return allocateFromHeaps(size, skippedBusyHeap);
  }
  const u32 blockSize = blockSizeFor(size);
  const int bin = binOf(blockSize);
  if (cache.counts[bin] != 0) {  // the cache was adopted just now
    return cache.pop(bin)->payload();
  }
  const u32 count = std::min(kMaxRefillCount, std::max(1u, kRefillBytes / blockSize));
  for (Heap* heap = mHeaps.load(std::memory_order_acquire); heap; heap = heap->next) {
    if (!tryLock(heap->lock)) {
      skippedBusyHeap = true;
      continue;
    }
    void* payload = refillFrom(*heap, cache, blockSize, count);
    release(heap->lock);
    if (payload) {
      return payload;
    }
  }
  return nullptr;
}

bool MemoryManager::cacheBlock(void* payload, u32 blockSize) {
  ThreadCache& cache = tCache;
  if (!cache.serve(this)) {
    return false;
  }
  cache.push(binOf(blockSize), Block::ofPayload(payload));
  return true;
}

// The first heap whose lock is free and that has room; a busy heap is
// skipped, never waited for. Null when none serves.
void* MemoryManager::allocateFromHeaps(std::size_t size, bool& skippedBusyHeap) {
  for (Heap* heap = mHeaps.load(std::memory_order_acquire); heap; heap = heap->next) {
    if (!tryLock(heap->lock)) {
      skippedBusyHeap = true;
      continue;
    }
    void* payload = allocateFrom(*heap, size);
    release(heap->lock);
    if (payload) {
      return payload;
    }
  }
  return nullptr;
}

void* MemoryManager::allocateSmall(std::size_t size) {
  bool skippedBusyHeap = false;
  const bool cacheable = mThreadCaching && size <= kMaxCachedSize - 4;
  if (void* payload = cacheable ? allocateCached(size, skippedBusyHeap) : allocateFromHeaps(size, skippedBusyHeap)) {
    return payload;
  }
  // Blocks this thread holds back may merge into room for the request; but
  // flushing them waits for their heaps, so under contention (a busy heap
  // passed over) a new heap is made instead.
  if (!skippedBusyHeap && mThreadCaching && tCache.owner == this && !tCache.empty()) {
    tCache.flushAll();
    if (void* payload = allocateFromHeaps(size, skippedBusyHeap)) {
      return payload;
    }
  }
  Heap* heap = makeHeap();  // nobody else sees it yet: no lock
  void* payload = allocateFrom(*heap, size);
  MEMORY_ASSERT(payload && "BUG!");
  publish(heap);
  return payload;
}

void MemoryManager::publish(Heap* heap) {
  SpinGuard guard(mHeapListLock);
  heap->next = mHeaps.load(std::memory_order_relaxed);
  mHeaps.store(heap, std::memory_order_release);
  mTotalSize.fetch_add(kHeapSize, std::memory_order_relaxed);
}

void* MemoryManager::allocateLarge(std::size_t size) {
  MEMORY_ASSERT(size <= kMaxLargeSize && "MemoryManager : No Memory!");
  const std::size_t rounded = (size + kGranule - 1) & ~std::size_t{kGranule - 1};
  void* region = Platform::allocateVirtualMemory(largeRegionSize(rounded));
  MEMORY_ASSERT(region && "MemoryManager : No Memory!");
  auto* block = static_cast<LargeBlock*>(region);
  block->size = rounded;
  block->largeMark = 1;
  {
    SpinGuard guard(mLargeLock);
    if (mLargeBlocks) {
      block->next = mLargeBlocks;
      block->prev = mLargeBlocks->prev;
      block->prev->next = block;
      mLargeBlocks->prev = block;
    } else {
      block->next = block;
      block->prev = block;
    }
    mLargeBlocks = block;
  }
  mTotalSize.fetch_add(rounded, std::memory_order_relaxed);
  return block + 1;
}

void MemoryManager::deallocateLarge(void* payload) {
  LargeBlock* block = static_cast<LargeBlock*>(payload) - 1;
  {
    SpinGuard guard(mLargeLock);
    block->prev->next = block->next;
    block->next->prev = block->prev;
    if (mLargeBlocks == block) {
      mLargeBlocks = block->prev == block ? nullptr : block->prev;
    }
  }
  mTotalSize.fetch_sub(block->size, std::memory_order_relaxed);
  const bool released = Platform::releaseVirtualMemory(block, largeRegionSize(block->size));
  MEMORY_ASSERT(released && "MemoryManager : Deallocation failed! The pointer must be invalid.");
}

// The common case stays a leaf: a small block of a cached size, room in its bin.
void MemoryManager::deallocate(void* payload) {
  if (!payload) {
    return;
  }
  const u32 flags = flagsBefore(payload);
  const u32 blockSize = flags & ~kFlagMask;
  if ((flags & 1) == 0 && blockSize <= kMaxCachedSize) {
    ThreadCache& cache = tCache;
    const int bin = binOf(blockSize);
    if (cache.owner == this && cache.counts[bin] < kBinCapacity) {
      cache.add(bin, Block::ofPayload(payload));
      return;
    }
  }
  deallocateUncached(payload, flags);
}

void MemoryManager::deallocateUncached(void* payload, u32 flags) {
  if ((flags & 1) != 0) {
    deallocateLarge(payload);
    return;
  }
  const u32 blockSize = flags & ~kFlagMask;
  if (mThreadCaching && blockSize <= kMaxCachedSize && cacheBlock(payload, blockSize)) {
    return;
  }
  Heap* heap = Heap::of(payload);
  SpinGuard guard(heap->lock);
  freeBlock(*heap, Block::ofPayload(payload));
}

}  // namespace Engine
