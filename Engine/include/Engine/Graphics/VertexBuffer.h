#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Vertex.h"

namespace Engine::Graphics {

// A reference-counted buffer of common vertices on the graphics manager's
// device, filled by locking it whole.
class VertexBuffer {
 public:
  class Impl;

  static VertexBuffer create(u32 count);

  VertexBuffer() = default;
  VertexBuffer(const VertexBuffer& other);
  VertexBuffer& operator=(const VertexBuffer& other);
  ~VertexBuffer();

  // The first vertex of the whole buffer.
  Vertex* lock();
  // Uploads what was written and clears the caller's pointer.
  void unlock(Vertex*& pointer);
  void release();

  u32 count() const;
  explicit operator bool() const { return mImpl != nullptr; }
  bool operator==(const VertexBuffer& other) const { return mImpl == other.mImpl; }
  Impl* impl() const { return mImpl; }

 private:
  explicit VertexBuffer(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Graphics
