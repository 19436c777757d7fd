#include "Engine/Graphics/Manager.h"
#include "core/config/Config.h"
#include "presentation/render/RenderState.h"

namespace Game {

using Engine::i32;

i32 RenderState::deviceCullMode() const {
  i32 mode = cull == kInheritCull ? 2 : static_cast<i32>(cull);
  // Mirrored geometry turns its on-screen winding over.
  if (inverted && (mode == 1 || mode == 2)) {
    mode = 3 - mode;
  }
  return mode;
}

i32 RenderState::deviceBlendMode() const {
  return blendMode == kInheritBlend ? 0 : static_cast<i32>(blendMode);
}

i32 RenderState::deviceLightingMode(bool usePixelShader) const {
  if (!colors.needsLighting() && !lightFlags.any()) {
    return 0;
  }
  return usePixelShader ? 2 : 1;
}

void RenderState::applyToDevice(const std::array<float, DrawFlags::kLightCount>& lightIntensities,
                                bool usePixelShader) const {
  Engine::Graphics::Manager device = Engine::Graphics::Manager::instance();
  device.setCullMode(deviceCullMode());
  device.setBlendMode(deviceBlendMode());
  device.enableDepthTest(depthTest);
  device.enableDepthWrite(depthWrite);

  device.setDiffuseColor(colors.diffuse);
  device.setSpecularColor(colors.specular);
  device.setSpecularSharpness(colors.sharpness);
  device.setAmbientColor(colors.ambient);
  device.setEmissionColor(colors.emission);
  device.setTransparency(colors.transparency);

  for (Engine::u32 bit : {DrawFlags::kSpot, DrawFlags::kOver, DrawFlags::kGround, DrawFlags::kBack}) {
    const i32 light = DrawFlags::deviceLight(bit);
    device.setLightIntensity(light, lightFlags.test(bit) ? lightIntensities[static_cast<std::size_t>(light)] : 0.f);
  }
  device.setLightingMode(deviceLightingMode(usePixelShader));
}

void RenderState::applyToDevice(const std::array<float, DrawFlags::kLightCount>& lightIntensities) const {
  applyToDevice(lightIntensities, Config::instance().setting(Config::kPixelShader).value() != 0);
}

}  // namespace Game
