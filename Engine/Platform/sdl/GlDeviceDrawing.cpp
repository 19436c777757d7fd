// The device's states, constants, bindings and draws.

#include <algorithm>
#include <cstdint>

#include "GlDevice.h"

namespace Platform::Sdl {

namespace {

constexpr GLsizei kVertexStride = 40;

GLenum blendFactor(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::Zero: return GL_ZERO;
    case BlendFactor::One: return GL_ONE;
    case BlendFactor::SourceAlpha: return GL_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestinationColor: return GL_DST_COLOR;
    case BlendFactor::InverseDestinationColor: return GL_ONE_MINUS_DST_COLOR;
  }
  return GL_ONE;
}

GLenum primitiveMode(PrimitiveType type) {
  switch (type) {
    case PrimitiveType::TriangleList: return GL_TRIANGLES;
    case PrimitiveType::LineList: return GL_LINES;
    case PrimitiveType::PointList: return GL_POINTS;
  }
  return GL_TRIANGLES;
}

GLsizei vertexCount(PrimitiveType type, std::uint32_t primitives) {
  const std::uint32_t perPrimitive = type == PrimitiveType::TriangleList ? 3 : type == PrimitiveType::LineList ? 2 : 1;
  return static_cast<GLsizei>(primitives * perPrimitive);
}

}  // namespace

void GlDevice::setRenderState(RenderState state, std::uint32_t value) {
  switch (state) {
    case RenderState::DepthTest:
      value ? gl.glEnable(GL_DEPTH_TEST) : gl.glDisable(GL_DEPTH_TEST);
      break;
    case RenderState::DepthWrite:
      mDepthWrite = value != 0;
      gl.glDepthMask(mDepthWrite ? GL_TRUE : GL_FALSE);
      break;
    case RenderState::CullMode:
      mCullMode = static_cast<CullMode>(value);
      applyCull();
      break;
    case RenderState::AlphaBlendEnable:
      value ? gl.glEnable(GL_BLEND) : gl.glDisable(GL_BLEND);
      break;
    case RenderState::SourceBlend:
      mSourceBlend = static_cast<BlendFactor>(value);
      applyBlend();
      break;
    case RenderState::DestinationBlend:
      mDestinationBlend = static_cast<BlendFactor>(value);
      applyBlend();
      break;
    case RenderState::AlphaTestEnable:
      mAlphaTest = value != 0;
      break;
    case RenderState::AlphaReference:
      mAlphaReference = std::min(value, 255u);
      break;
  }
}

void GlDevice::applyBlend() { gl.glBlendFunc(blendFactor(mSourceBlend), blendFactor(mDestinationBlend)); }

// The back buffer is drawn upside down (top row first), which turns the
// on-screen winding over in window coordinates.
void GlDevice::applyCull() {
  if (mCullMode == CullMode::None) {
    gl.glDisable(GL_CULL_FACE);
    return;
  }
  gl.glEnable(GL_CULL_FACE);
  gl.glCullFace(GL_BACK);
  gl.glFrontFace(mCullMode == CullMode::Clockwise ? GL_CW : GL_CCW);
}

void GlDevice::setSamplerState(SamplerState state, std::uint32_t value) {
  mSamplerStates[static_cast<std::size_t>(state)] = value;
  applySampler();
}

void GlDevice::applySampler() {
  const auto filter = [this](SamplerState state) {
    return static_cast<TextureFilter>(mSamplerStates[static_cast<std::size_t>(state)]);
  };
  const bool linearMin = filter(SamplerState::MinFilter) >= TextureFilter::Linear;
  const bool linearMag = filter(SamplerState::MagFilter) >= TextureFilter::Linear;
  const TextureFilter mip = filter(SamplerState::MipFilter);
  GLint minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
  if (mip == TextureFilter::Point) {
    minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  } else if (mip >= TextureFilter::Linear) {
    minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  }
  gl.glSamplerParameteri(mSampler, GL_TEXTURE_MIN_FILTER, minFilter);
  gl.glSamplerParameteri(mSampler, GL_TEXTURE_MAG_FILTER, linearMag ? GL_LINEAR : GL_NEAREST);
  gl.glSamplerParameteri(mSampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
  gl.glSamplerParameteri(mSampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
  if (mCaps.anisotropicFilter) {
    const bool anisotropic = filter(SamplerState::MinFilter) == TextureFilter::Anisotropic;
    const std::uint32_t wanted = std::clamp(mSamplerStates[3], 1u, mCaps.maxAnisotropy);
    gl.glSamplerParameterf(mSampler, GL_TEXTURE_MAX_ANISOTROPY, anisotropic ? static_cast<float>(wanted) : 1.0f);
  }
}

void GlDevice::setVertexConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) {
  const std::uint32_t last = std::min(firstRegister + registers, GlPrograms::kVertexRegisters);
  if (firstRegister < last) {
    std::copy(values, values + (last - firstRegister) * 4, mVertexConstants.begin() + firstRegister * 4);
    ++mConstantsVersion;
  }
}

void GlDevice::setPixelConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) {
  const std::uint32_t last = std::min(firstRegister + registers, GlPrograms::kPixelRegisters);
  if (firstRegister < last) {
    std::copy(values, values + (last - firstRegister) * 4, mPixelConstants.begin() + firstRegister * 4);
    ++mConstantsVersion;
  }
}

void GlDevice::setTexture(GraphicsTexture* texture) {
  mTexture = static_cast<GlTexture*>(texture);
  gl.glActiveTexture(GL_TEXTURE0);
  gl.glBindTexture(GL_TEXTURE_2D, mTexture ? mTexture->name() : 0);
}

void GlDevice::setVertexBuffer(GraphicsBuffer* buffer) {
  auto* glBuffer = static_cast<GlBuffer*>(buffer);
  gl.glBindBuffer(GL_ARRAY_BUFFER, glBuffer ? glBuffer->name() : 0);
  if (!glBuffer) {
    return;
  }
  const auto offset = [](std::uintptr_t bytes) { return reinterpret_cast<const void*>(bytes); };
  for (GLuint attribute = 0; attribute < 4; ++attribute) {
    gl.glEnableVertexAttribArray(attribute);
  }
  gl.glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, kVertexStride, offset(0));
  gl.glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, kVertexStride, offset(16));
  // The colour's four bytes as plain numbers 0..255, not normalised.
  gl.glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_FALSE, kVertexStride, offset(28));
  gl.glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, kVertexStride, offset(32));
}

void GlDevice::setIndexBuffer(GraphicsBuffer* buffer) {
  auto* glBuffer = static_cast<GlBuffer*>(buffer);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, glBuffer ? glBuffer->name() : 0);
}

// The back buffer's rows are stored top first, so the top-left origin holds.
void GlDevice::setViewport(const Viewport& viewport) {
  mViewport = viewport;
  const auto x = static_cast<GLint>(viewport.x);
  const auto y = static_cast<GLint>(viewport.y);
  const auto width = static_cast<GLsizei>(viewport.width);
  const auto height = static_cast<GLsizei>(viewport.height);
  gl.glViewport(x, y, width, height);
  gl.glScissor(x, y, width, height);
  gl.glDepthRange(viewport.minZ, viewport.maxZ);
}

// Clears the viewport only and whatever the write masks say.
void GlDevice::clear(std::uint32_t argb, float depth, std::uint32_t stencil) {
  const auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.0f; };
  gl.glClearColor(channel(16), channel(8), channel(0), channel(24));
  gl.glClearDepth(depth);
  gl.glClearStencil(static_cast<GLint>(stencil));
  gl.glEnable(GL_SCISSOR_TEST);
  gl.glDepthMask(GL_TRUE);
  gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  gl.glDepthMask(mDepthWrite ? GL_TRUE : GL_FALSE);
  gl.glDisable(GL_SCISSOR_TEST);
}

void GlDevice::prepareDraw() {
  const float offsetX = mViewport.width ? 1.0f / static_cast<float>(mViewport.width) : 0.0f;
  const float offsetY = mViewport.height ? 1.0f / static_cast<float>(mViewport.height) : 0.0f;
  const float alphaReference = mAlphaTest ? static_cast<float>(mAlphaReference) : 0.0f;
  mPrograms.use(mProgram, mVertexConstants.data(), mPixelConstants.data(), mConstantsVersion, offsetX, offsetY,
                alphaReference);
}

void GlDevice::draw(PrimitiveType type, std::uint32_t startVertex, std::uint32_t count) {
  prepareDraw();
  gl.glDrawArrays(primitiveMode(type), static_cast<GLint>(startVertex), vertexCount(type, count));
}

void GlDevice::drawIndexed(PrimitiveType type, std::uint32_t vertices, std::uint32_t startIndex,
                           std::uint32_t count) {
  prepareDraw();
  const auto offset = reinterpret_cast<const void*>(std::uintptr_t{startIndex} * 2);
  gl.glDrawRangeElements(primitiveMode(type), 0, vertices > 0 ? vertices - 1 : 0, vertexCount(type, count),
                         GL_UNSIGNED_SHORT, offset);
}

}  // namespace Platform::Sdl
