#include "Graphics/src/RenderStateCache.h"

namespace Engine::Graphics {

using Platform::BlendFactor;
using Platform::RenderState;
using Platform::SamplerState;
using Platform::TextureFilter;

namespace {

u32 value(BlendFactor factor) { return static_cast<u32>(factor); }
u32 value(TextureFilter filter) { return static_cast<u32>(filter); }
u32 value(Platform::CullMode mode) { return static_cast<u32>(mode); }

struct BlendSetting {
  bool blend;
  BlendFactor source;
  BlendFactor destination;
  bool alphaTest;
};

constexpr BlendSetting kBlendModes[] = {
    {false, BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha, true},     // opaque
    {true, BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha, false},     // alpha
    {true, BlendFactor::SourceAlpha, BlendFactor::One, false},                    // additive
    {true, BlendFactor::DestinationColor, BlendFactor::Zero, true},               // multiply
    {true, BlendFactor::InverseDestinationColor, BlendFactor::Zero, true},        // inverse multiply
    {true, BlendFactor::One, BlendFactor::InverseSourceAlpha, true},              // premultiplied
};

}  // namespace

// Anisotropic where the device has it, else linear; mipmaps linear.
void RenderStateCache::setCaps(const Platform::GraphicsCaps& caps) {
  mLinearMin = caps.anisotropicFilter ? TextureFilter::Anisotropic : TextureFilter::Linear;
  mLinearMag = mLinearMin;
  mLinearMip = TextureFilter::Linear;
  mValues.maxAnisotropy = caps.maxAnisotropy > 0 ? caps.maxAnisotropy : 1;
}

void RenderStateCache::set(RenderState state, u32& cached, u32 wanted) {
  if (cached != wanted) {
    mDevice.setRenderState(state, wanted);
    cached = wanted;
  }
}

void RenderStateCache::set(SamplerState state, u32& cached, u32 wanted) {
  if (cached != wanted) {
    mDevice.setSamplerState(state, wanted);
    cached = wanted;
  }
}

void RenderStateCache::enableDepthTest(bool enable) { set(RenderState::DepthTest, mValues.depthTest, enable); }

void RenderStateCache::enableDepthWrite(bool enable) { set(RenderState::DepthWrite, mValues.depthWrite, enable); }

void RenderStateCache::setCullMode(i32 mode) {
  const Platform::CullMode cull = mode == 1   ? Platform::CullMode::CounterClockwise
                                  : mode == 2 ? Platform::CullMode::Clockwise
                                              : Platform::CullMode::None;
  set(RenderState::CullMode, mValues.cullMode, value(cull));
}

void RenderStateCache::setBlendMode(i32 mode) {
  const BlendSetting& setting = (mode >= 0 && mode <= 5) ? kBlendModes[mode] : kBlendModes[2];
  set(RenderState::AlphaBlendEnable, mValues.alphaBlend, setting.blend);
  set(RenderState::DestinationBlend, mValues.destinationBlend, value(setting.destination));
  set(RenderState::SourceBlend, mValues.sourceBlend, value(setting.source));
  set(RenderState::AlphaTestEnable, mValues.alphaTest, setting.alphaTest);
}

void RenderStateCache::setTextureFilter(i32 filter) {
  if (filter == 0) {
    setFilters(TextureFilter::Point, TextureFilter::Point, TextureFilter::None);
  } else if (filter == 1) {
    setFilters(mLinearMin, mLinearMag, mLinearMip);
  } else {
    setFilters(TextureFilter::None, TextureFilter::None, TextureFilter::None);
  }
}

void RenderStateCache::setFilters(TextureFilter min, TextureFilter mag, TextureFilter mip) {
  set(SamplerState::MinFilter, mValues.minFilter, value(min));
  set(SamplerState::MagFilter, mValues.magFilter, value(mag));
  set(SamplerState::MipFilter, mValues.mipFilter, value(mip));
}

void RenderStateCache::applyAll() {
  const Values& v = mValues;
  mDevice.setRenderState(RenderState::SourceBlend, v.sourceBlend);
  mDevice.setSamplerState(SamplerState::MaxAnisotropy, v.maxAnisotropy);
  mDevice.setRenderState(RenderState::CullMode, v.cullMode);
  mDevice.setRenderState(RenderState::DepthTest, v.depthTest);
  mDevice.setRenderState(RenderState::DepthWrite, v.depthWrite);
  mDevice.setRenderState(RenderState::AlphaBlendEnable, v.alphaBlend);
  mDevice.setRenderState(RenderState::DestinationBlend, v.destinationBlend);
  mDevice.setRenderState(RenderState::AlphaTestEnable, v.alphaTest);
  mDevice.setSamplerState(SamplerState::MinFilter, v.minFilter);
  mDevice.setSamplerState(SamplerState::MagFilter, v.magFilter);
  mDevice.setSamplerState(SamplerState::MipFilter, v.mipFilter);
}

}  // namespace Engine::Graphics
