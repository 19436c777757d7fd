#include "Engine/Graphics/Manager.h"

#include <algorithm>

#include "Engine/Base/Assert.h"
#include "Graphics/src/ManagerImpl.h"
#include "Platform/Backend.h"

namespace Engine::Graphics {

namespace {

ManagerImpl& impl() {
  ManagerImpl* manager = ManagerImpl::instance();
  ENGINE_ASSERT(manager && "the graphics manager does not exist.");
  return *manager;
}

}  // namespace

void Manager::create(u32 width, u32 height, bool fullScreen, bool vSync, bool antiAlias) {
  const ManagerImpl* gManagerImpl = ManagerImpl::instance();
  ENGINE_ASSERT(!gManagerImpl);
  Platform::GraphicsDevice& device = Platform::backend().graphicsDevice();
  const Platform::DisplayMode mode = chooseDisplayMode(device.displayModes(), device.desktopMode(), width, height);
  const ManagerSettings settings{width, height, fullScreen, vSync, antiAlias};
  ManagerImpl::install(std::make_unique<ManagerImpl>(device, settings, mode));
}

void Manager::destroy() { ManagerImpl::uninstall(); }

void Manager::beginDraw() { impl().beginDraw(); }
void Manager::endDraw() { impl().endDraw(); }
void Manager::restore() { impl().restore(); }
void Manager::setFullScreen(bool fullScreen) { impl().setFullScreen(fullScreen); }
bool Manager::isActive() const { return impl().isActive(); }

void Manager::getViewport(i32* x, i32* y, i32* width, i32* height) const { impl().getViewport(x, y, width, height); }

void Manager::getPointerModifier(f32* scale, Math::Vector2* offset) const {
  const PointerModifier modifier = impl().pointerModifier();
  if (scale) *scale = modifier.scale;
  if (offset) offset->set(modifier.offsetX, modifier.offsetY);
}

void Manager::captureScreen(const char* fileName) { impl().captureScreen(fileName); }
u32 Manager::frameId() const { return impl().frameId(); }
void Manager::skipDrawing(bool skip) { impl().skipDrawing(skip); }

void Manager::setTexture(Texture texture) { impl().setTexture(texture); }
void Manager::setVertexBuffer(VertexBuffer buffer) { impl().setVertexBuffer(buffer); }
void Manager::setIndexBuffer(IndexBuffer buffer) { impl().setIndexBuffer(buffer); }
void Manager::draw(u32 start, u32 count, i32 primitive) { impl().draw(start, count, primitive); }
void Manager::drawIndexed(u32 start, u32 count, i32 primitive) { impl().drawIndexed(start, count, primitive); }


void Manager::enableDepthTest(bool enable) { impl().states().enableDepthTest(enable); }
void Manager::enableDepthWrite(bool enable) { impl().states().enableDepthWrite(enable); }
void Manager::setBlendMode(i32 mode) { impl().states().setBlendMode(mode); }
void Manager::setCullMode(i32 mode) { impl().states().setCullMode(mode); }
void Manager::setTextureFilter(i32 filter) { impl().states().setTextureFilter(filter); }
void Manager::setLightingMode(i32 mode) { impl().setLightingMode(mode); }

namespace {

ShaderConstants::Float3 float3(const Math::Vector3& v) { return {v.x, v.y, v.z}; }

}  // namespace

void Manager::setProjectionViewMatrix(const Math::Matrix44& matrix) {
  ShaderConstants::Matrix44 rows;
  std::copy(&matrix.m[0][0], &matrix.m[0][0] + rows.size(), rows.begin());
  impl().constants().setProjectionView(rows);
}

void Manager::setWorldMatrix(const Math::Matrix34& matrix) {
  ShaderConstants::Matrix34 rows;
  std::copy(&matrix.m[0][0], &matrix.m[0][0] + rows.size(), rows.begin());
  impl().constants().setWorld(rows);
}

void Manager::setLightPosition(i32 index, const Math::Vector3& position) {
  impl().constants().setLightPosition(index, float3(position));
}
void Manager::setLightColor(i32 index, const Math::Vector3& color) {
  impl().constants().setLightColor(index, float3(color));
}
void Manager::setLightIntensity(i32 index, f32 intensity) { impl().constants().setLightIntensity(index, intensity); }
void Manager::setAmbientColor(const Math::Vector3& color) { impl().constants().setAmbientColor(float3(color)); }
void Manager::setDiffuseColor(const Math::Vector3& color) { impl().constants().setDiffuseColor(float3(color)); }
void Manager::setTransparency(f32 transparency) { impl().constants().setTransparency(transparency); }
void Manager::setSpecularColor(const Math::Vector3& color) { impl().constants().setSpecularColor(float3(color)); }
void Manager::setSpecularSharpness(f32 sharpness) { impl().constants().setSpecularSharpness(sharpness); }
void Manager::setEmissionColor(const Math::Vector3& color) { impl().constants().setEmissionColor(float3(color)); }
void Manager::setEyePosition(const Math::Vector3& position) { impl().constants().setEyePosition(float3(position)); }

}  // namespace Engine::Graphics
