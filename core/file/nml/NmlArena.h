#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Game {

// The memory of one nml tree: blocks are cut from chunks by bumping a pointer
// and are given back only all together, when the arena is released or goes.
// So a parsed tree costs a handful of allocations and frees however many
// nodes, lines and items it holds; memory of parts taken out of the tree stays
// until then.
class NmlArena {
 public:
  NmlArena() = default;
  explicit NmlArena(bool ownedByLine) : mOwnedByLine(ownedByLine) {}
  ~NmlArena() { release(); }
  NmlArena(const NmlArena&) = delete;
  NmlArena& operator=(const NmlArena&) = delete;

  // size bytes aligned for pointers.
  void* allocate(std::size_t size) {
    char* start = alignedFree();
    if (static_cast<std::size_t>(mEnd - start) < size) [[unlikely]] {
      addChunk(size);
      start = mFree;
    }
    mFree = start + size;
    return start;
  }
  // A zero-terminated copy of text[0, length).
  char* copyText(const char* text, std::size_t length);

  // The free space after the last block, where a block can be written before
  // it is taken (the parser writes each token there in place).
  char* freeStart() const { return mFree; }
  std::size_t freeSize() const { return static_cast<std::size_t>(mEnd - mFree); }
  // Makes at least size bytes free; the first kept bytes of the free space
  // (a block being written) move along. Returns the new freeStart().
  char* makeRoom(std::size_t kept, std::size_t size);
  // Turns the first size bytes of the free space into a block.
  void take(std::size_t size) { mFree += size; }

  // Frees every chunk: every block is gone, the source name with them.
  void release();

  // Made for a line of its own, which deletes it (a tree's root deletes the tree's).
  bool ownedByLine() const { return mOwnedByLine; }

  // The data file the tree was read from, for data errors; null when the
  // tree came from elsewhere (code, a save, a text without a name).
  const char* source() const { return mSource; }
  void setSource(const char* file) { mSource = file ? copyText(file, std::strlen(file)) : nullptr; }

 private:
  struct Chunk {
    Chunk* mOlder;
  };
  static constexpr std::size_t kAlignment = alignof(void*);
  static constexpr std::size_t kFirstChunkSize = 2048;
  static constexpr std::size_t kLargestChunkSize = 64 * 1024;

  char* alignedFree() const {
    const auto address = reinterpret_cast<std::uintptr_t>(mFree);
    return mFree + ((kAlignment - address % kAlignment) % kAlignment);
  }
  // A chunk with at least size free bytes becomes the one blocks come from.
  void addChunk(std::size_t size);

  char* mFree = nullptr;
  char* mEnd = nullptr;
  Chunk* mNewest = nullptr;  // chunks link to older ones
  const char* mSource = nullptr;
  std::size_t mNextChunkSize = kFirstChunkSize;
  bool mOwnedByLine = false;
};

}  // namespace Game
