#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Graphics {

// A reference-counted buffer of 16-bit indices on the graphics manager's
// device, filled by locking it whole. It holds count x 4 bytes, twice what
// the indices need; they are packed 2 bytes apart from the start.
class IndexBuffer {
 public:
  class Impl;

  static IndexBuffer create(u32 count);

  IndexBuffer() = default;
  IndexBuffer(const IndexBuffer& other);
  IndexBuffer& operator=(const IndexBuffer& other);
  ~IndexBuffer();

  u16* lock();
  // Uploads what was written and clears the caller's pointer.
  void unlock(u16*& pointer);
  void release();

  u32 count() const;
  explicit operator bool() const { return mImpl != nullptr; }
  bool operator==(const IndexBuffer& other) const { return mImpl == other.mImpl; }
  Impl* impl() const { return mImpl; }

 private:
  explicit IndexBuffer(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Graphics
