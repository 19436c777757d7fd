#include "Engine/Graphics/Manager.h"

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

void Manager::getPointerModifier(f32* scale, f32* offsetX, f32* offsetY) const {
  const PointerModifier modifier = impl().pointerModifier();
  if (scale) *scale = modifier.scale;
  if (offsetX) *offsetX = modifier.offsetX;
  if (offsetY) *offsetY = modifier.offsetY;
}

void Manager::captureScreen(const char* fileName) { impl().captureScreen(fileName); }
u32 Manager::frameId() const { return impl().frameId(); }

void Manager::setVertexBuffer(VertexBuffer buffer) { impl().setVertexBuffer(buffer); }
void Manager::setIndexBuffer(IndexBuffer buffer) { impl().setIndexBuffer(buffer); }
void Manager::draw(u32 start, u32 count, i32 primitive) { impl().draw(start, count, primitive); }
void Manager::drawIndexed(u32 start, u32 count, i32 primitive) { impl().drawIndexed(start, count, primitive); }

}  // namespace Engine::Graphics
