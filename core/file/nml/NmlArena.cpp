#include "core/file/nml/NmlArena.h"

#include <cstring>
#include <new>

namespace Game {

namespace {

// Chunk data starts right after the header, aligned for pointers.
constexpr std::size_t kHeaderSize = sizeof(void*);

}  // namespace

char* NmlArena::copyText(const char* text, std::size_t length) {
  char* copy = static_cast<char*>(allocate(length + 1));
  if (length > 0) {
    std::memcpy(copy, text, length);
  }
  copy[length] = '\0';
  return copy;
}

char* NmlArena::makeRoom(std::size_t kept, std::size_t size) {
  if (freeSize() >= size) {
    return mFree;
  }
  const char* old = mFree;
  addChunk(size);
  if (kept > 0) {
    std::memcpy(mFree, old, kept);
  }
  return mFree;
}

void NmlArena::addChunk(std::size_t size) {
  // A block larger than the usual chunk gets a chunk of its own size, rounded
  // up so that the chunk ends aligned: an aligned start never passes the end.
  const std::size_t ownSize = (size + kHeaderSize + kAlignment - 1) / kAlignment * kAlignment;
  const std::size_t chunkSize = size > mNextChunkSize - kHeaderSize ? ownSize : mNextChunkSize;
  auto* chunk = static_cast<Chunk*>(::operator new(chunkSize));
  chunk->mOlder = mNewest;
  mNewest = chunk;
  mFree = reinterpret_cast<char*>(chunk) + kHeaderSize;
  mEnd = reinterpret_cast<char*>(chunk) + chunkSize;
  if (mNextChunkSize < kLargestChunkSize) {
    mNextChunkSize *= 2;
  }
}

void NmlArena::release() {
  while (mNewest) {
    Chunk* older = mNewest->mOlder;
    ::operator delete(static_cast<void*>(mNewest));
    mNewest = older;
  }
  mFree = nullptr;
  mEnd = nullptr;
  mSource = nullptr;
  mNextChunkSize = kFirstChunkSize;
}

}  // namespace Game
