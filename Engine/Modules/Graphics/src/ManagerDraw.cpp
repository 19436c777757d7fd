#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Graphics/src/BufferImpl.h"
#include "Graphics/src/ManagerImpl.h"
#include "Graphics/src/TextureImpl.h"

namespace Engine::Graphics {

namespace {

constexpr u32 kAlphaReference = 0x80;

Platform::ShaderProgram programFor(i32 mode) {
  return mode == 2 ? Platform::ShaderProgram::PixelLit
         : mode == 1 ? Platform::ShaderProgram::VertexLit
                     : Platform::ShaderProgram::Unlit;
}

Platform::PrimitiveType primitiveType(i32 primitive) {
  switch (primitive) {
    case 0: return Platform::PrimitiveType::TriangleList;
    case 1: return Platform::PrimitiveType::LineList;
    case 2: return Platform::PrimitiveType::PointList;
    default: ENGINE_HALT("0");
  }
}

}  // namespace

void ManagerImpl::setLightingMode(i32 mode) {
  if (mode == 2 && !mPixelShader20) {
    cout << "Graphics::enablePixelShader() : This hardware doesn't support pixel shader( > 2.0 ). do per vertex."
         << endl;
    mode = 1;
  }
  if (mode != mLightingMode) {
    mConstants.markConstantsDirty();
    mLightingMode = mode;
    applyProgram();
  }
}

void ManagerImpl::applyProgram() { mDevice.setProgram(programFor(mLightingMode)); }

// As after creation or a device reset: every state pushed again, nothing bound.
void ManagerImpl::applyAllStates() {
  applyProgram();
  mDevice.setRenderState(Platform::RenderState::AlphaReference, kAlphaReference);
  mStates.applyAll();
  mCurrentTexture.release();
  mCurrentVertexBuffer.release();
  mCurrentIndexBuffer.release();
  mDevice.setTexture(nullptr);
  mDevice.setVertexBuffer(nullptr);
  mDevice.setIndexBuffer(nullptr);
  mDeviceTexture = nullptr;
  mConstants.markAllDirty();
  mStates.setTextureFilter(1);
}

// An empty texture binds nothing: the next draw takes the white one. A
// texture set while its file was loading is bound once set again ready.
void ManagerImpl::setTexture(const Texture& texture) {
  Platform::GraphicsTexture* deviceTexture = texture ? texture.impl()->deviceTexture() : nullptr;
  const bool sameBinding = deviceTexture == mDeviceTexture || (!deviceTexture && mDeviceTexture == mWhiteTexture.get());
  if (texture == mCurrentTexture && sameBinding) {
    return;
  }
  mCurrentTexture = texture;
  if (deviceTexture != mDeviceTexture) {
    mDevice.setTexture(deviceTexture);
    mDeviceTexture = deviceTexture;
  }
}

void ManagerImpl::setVertexBuffer(const VertexBuffer& buffer) {
  if (buffer == mCurrentVertexBuffer) {
    return;
  }
  mCurrentVertexBuffer = buffer;
  mDevice.setVertexBuffer(buffer ? buffer.impl()->buffer() : nullptr);
}

void ManagerImpl::setIndexBuffer(const IndexBuffer& buffer) {
  if (buffer == mCurrentIndexBuffer) {
    return;
  }
  mCurrentIndexBuffer = buffer;
  mDevice.setIndexBuffer(buffer ? buffer.impl()->buffer() : nullptr);
}

void ManagerImpl::prepareDraw() {
  mConstants.upload(mDevice);
  ENGINE_ASSERT(mCurrentVertexBuffer && "VertexBuffer is not set.");
  // Without a texture the white one keeps vertex colours unchanged.
  if (!mDeviceTexture) {
    mDeviceTexture = mWhiteTexture.get();
    mDevice.setTexture(mDeviceTexture);
  }
}

void ManagerImpl::draw(u32 start, u32 count, i32 primitive) {
  if (mSkipping) {
    return;
  }
  prepareDraw();
  mDevice.draw(primitiveType(primitive), start, count);
}

void ManagerImpl::drawIndexed(u32 start, u32 count, i32 primitive) {
  ENGINE_ASSERT(mCurrentIndexBuffer && "IndexBuffer is not set.");
  if (mSkipping) {
    return;
  }
  prepareDraw();
  mDevice.drawIndexed(primitiveType(primitive), mCurrentVertexBuffer.count(), start, count);
}

}  // namespace Engine::Graphics
