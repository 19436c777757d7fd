#include "Engine/Base/Assert.h"
#include "Graphics/src/BufferImpl.h"
#include "Graphics/src/ManagerImpl.h"

namespace Engine::Graphics {

namespace {

Platform::GraphicsDevice& device() {
  ManagerImpl* manager = ManagerImpl::instance();
  ENGINE_ASSERT(manager && "the graphics manager does not exist.");
  return manager->device();
}

}  // namespace

constexpr u32 kVertexBytes = sizeof(Vertex);
// Index buffers are made twice the size their 16-bit indices need.
constexpr u32 kIndexBytes = 4;

VertexBuffer VertexBuffer::create(u32 count) {
  return VertexBuffer(new Impl(device().createVertexBuffer(count * kVertexBytes), count));
}

VertexBuffer::VertexBuffer(const VertexBuffer& other) : mImpl(other.mImpl) { referImpl(mImpl); }

VertexBuffer& VertexBuffer::operator=(const VertexBuffer& other) {
  Impl* previous = mImpl;
  mImpl = other.mImpl;
  referImpl(mImpl);
  releaseImpl(previous);
  return *this;
}

VertexBuffer::~VertexBuffer() { releaseImpl(mImpl); }

Vertex* VertexBuffer::lock() {
  ENGINE_ASSERT(mImpl && "VertexBuffer is empty.");
  return static_cast<Vertex*>(mImpl->buffer()->lock());
}

void VertexBuffer::unlock(Vertex*& pointer) {
  ENGINE_ASSERT(mImpl && "VertexBuffer is empty.");
  mImpl->buffer()->unlock();
  pointer = nullptr;
}

void VertexBuffer::release() { releaseImpl(mImpl); }

u32 VertexBuffer::count() const { return mImpl ? mImpl->count() : 0; }

IndexBuffer IndexBuffer::create(u32 count) {
  return IndexBuffer(new Impl(device().createIndexBuffer(count * kIndexBytes), count));
}

IndexBuffer::IndexBuffer(const IndexBuffer& other) : mImpl(other.mImpl) { referImpl(mImpl); }

IndexBuffer& IndexBuffer::operator=(const IndexBuffer& other) {
  Impl* previous = mImpl;
  mImpl = other.mImpl;
  referImpl(mImpl);
  releaseImpl(previous);
  return *this;
}

IndexBuffer::~IndexBuffer() { releaseImpl(mImpl); }

u16* IndexBuffer::lock() {
  ENGINE_ASSERT(mImpl && "IndexBuffer is empty.");
  return static_cast<u16*>(mImpl->buffer()->lock());
}

void IndexBuffer::unlock(u16*& pointer) {
  ENGINE_ASSERT(mImpl && "IndexBuffer is empty.");
  mImpl->buffer()->unlock();
  pointer = nullptr;
}

void IndexBuffer::release() { releaseImpl(mImpl); }

u32 IndexBuffer::count() const { return mImpl ? mImpl->count() : 0; }

}  // namespace Engine::Graphics
