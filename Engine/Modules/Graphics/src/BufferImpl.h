#pragma once

#include <memory>

#include "Engine/Base/ReferenceType.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

class VertexBuffer::Impl : public ReferenceType {
 public:
  Impl(std::unique_ptr<Platform::GraphicsBuffer> buffer, u32 count) : mBuffer(std::move(buffer)), mCount(count) {}
  Platform::GraphicsBuffer* buffer() const { return mBuffer.get(); }
  u32 count() const { return mCount; }

 private:
  std::unique_ptr<Platform::GraphicsBuffer> mBuffer;
  u32 mCount;
};

class IndexBuffer::Impl : public ReferenceType {
 public:
  Impl(std::unique_ptr<Platform::GraphicsBuffer> buffer, u32 count) : mBuffer(std::move(buffer)), mCount(count) {}
  Platform::GraphicsBuffer* buffer() const { return mBuffer.get(); }
  u32 count() const { return mCount; }

 private:
  std::unique_ptr<Platform::GraphicsBuffer> mBuffer;
  u32 mCount;
};

}  // namespace Engine::Graphics
