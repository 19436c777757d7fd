#pragma once

#include <memory>

#include "Engine/Base/ReferenceType.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

// What a vertex and an index buffer hold alike: the device buffer and its
// element count.
class DeviceBufferImpl : public ReferenceType {
 public:
  DeviceBufferImpl(std::unique_ptr<Platform::GraphicsBuffer> buffer, u32 count)
      : mBuffer(std::move(buffer)), mCount(count) {}
  Platform::GraphicsBuffer* buffer() const { return mBuffer.get(); }
  u32 count() const { return mCount; }

 private:
  std::unique_ptr<Platform::GraphicsBuffer> mBuffer;
  u32 mCount;
};

class VertexBuffer::Impl : public DeviceBufferImpl {
 public:
  using DeviceBufferImpl::DeviceBufferImpl;
};

class IndexBuffer::Impl : public DeviceBufferImpl {
 public:
  using DeviceBufferImpl::DeviceBufferImpl;
};

}  // namespace Engine::Graphics
