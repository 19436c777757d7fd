#pragma once

#include "Engine/Base/Types.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

// The few render and sampler states the game changes. A setter reaches the
// device only when the value changes.
class RenderStateCache {
 public:
  explicit RenderStateCache(Platform::GraphicsDevice& device) : mDevice(device) {}

  // The filters the linear mode uses, from what the device can do.
  void setCaps(const Platform::GraphicsCaps& caps);

  void enableDepthTest(bool enable);
  void enableDepthWrite(bool enable);
  // 0 none, 1 counter-clockwise, 2 clockwise (the winding culled); others none.
  void setCullMode(i32 mode);
  // 0 opaque, 1 alpha, 2 additive, 3 multiply, 4 inverse multiply,
  // 5 premultiplied; others additive.
  void setBlendMode(i32 mode);
  // 0 point, 1 linear (from the caps); others no filter.
  void setTextureFilter(i32 filter);

  // Pushes every cached value to the device, as after a device reset.
  void applyAll();

 private:
  struct Values {
    u32 depthTest = 1;
    u32 depthWrite = 1;
    u32 cullMode = static_cast<u32>(Platform::CullMode::Clockwise);
    u32 alphaTest = 0;
    u32 alphaBlend = 0;
    u32 destinationBlend = static_cast<u32>(Platform::BlendFactor::Zero);
    u32 sourceBlend = static_cast<u32>(Platform::BlendFactor::SourceAlpha);
    u32 minFilter = static_cast<u32>(Platform::TextureFilter::Point);
    u32 magFilter = static_cast<u32>(Platform::TextureFilter::Point);
    u32 mipFilter = static_cast<u32>(Platform::TextureFilter::None);
    u32 maxAnisotropy = 1;
  };

  void set(Platform::RenderState state, u32& cached, u32 value);
  void set(Platform::SamplerState state, u32& cached, u32 value);
  void setFilters(Platform::TextureFilter min, Platform::TextureFilter mag, Platform::TextureFilter mip);

  Platform::GraphicsDevice& mDevice;
  Values mValues;
  Platform::TextureFilter mLinearMin = Platform::TextureFilter::Point;
  Platform::TextureFilter mLinearMag = Platform::TextureFilter::Point;
  Platform::TextureFilter mLinearMip = Platform::TextureFilter::None;
};

}  // namespace Engine::Graphics
