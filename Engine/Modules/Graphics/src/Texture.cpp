#include <algorithm>

#include "Engine/Base/Assert.h"
#include "Engine/Graphics/MipChain.h"
#include "Graphics/src/ManagerImpl.h"
#include "Graphics/src/TextureImpl.h"

namespace Engine::Graphics {

Texture Texture::create(i32 width, i32 height, bool mipmaps) {
  ManagerImpl* manager = ManagerImpl::instance();
  ENGINE_ASSERT(manager && "the graphics manager does not exist.");
  const auto sideX = static_cast<i32>(powerOfTwoAtLeast(static_cast<u32>(std::max(width, 1))));
  const auto sideY = static_cast<i32>(powerOfTwoAtLeast(static_cast<u32>(std::max(height, 1))));
  const i32 levels = mipmaps ? mipLevelCount(sideX, sideY) : 1;
  auto texture = manager->device().createTexture(static_cast<u32>(sideX), static_cast<u32>(sideY),
                                                 static_cast<u32>(levels));
  return Texture(new Impl(std::move(texture), sideX, sideY));
}

Texture::Texture(const Texture& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Texture& Texture::operator=(const Texture& other) {
  Impl* previous = mImpl;
  mImpl = other.mImpl;
  referImpl(mImpl);
  releaseImpl(previous);
  return *this;
}

Texture::~Texture() { releaseImpl(mImpl); }

void Texture::release() { releaseImpl(mImpl); }

bool Texture::isReady() const { return mImpl != nullptr; }
i32 Texture::width() const { return mImpl ? mImpl->width() : 0; }
i32 Texture::height() const { return mImpl ? mImpl->height() : 0; }

i32 Texture::levels() const {
  return mImpl && mImpl->deviceTexture() ? static_cast<i32>(mImpl->deviceTexture()->levels()) : 0;
}

void Texture::lock(u32** pointer, i32* pitch, i32 x, i32 y, i32 width, i32 height, i32 level) {
  ENGINE_ASSERT(mImpl && mImpl->deviceTexture() && "Texture is empty.");
  Platform::GraphicsTexture& texture = *mImpl->deviceTexture();
  ENGINE_ASSERT(level >= 0 && static_cast<u32>(level) < texture.levels() && "texture level out of range.");
  const i32 levelWidth = static_cast<i32>(std::max(texture.width() >> level, 1u));
  const i32 levelHeight = static_cast<i32>(std::max(texture.height() >> level, 1u));
  ENGINE_ASSERT(x >= 0 && y >= 0 && width >= 0 && height >= 0 && x + width <= levelWidth &&
                y + height <= levelHeight && "lock rectangle out of range.");
  u32 rowPitch = 0;
  auto* first = static_cast<u8*>(texture.lock(static_cast<u32>(level), rowPitch));
  *pointer = reinterpret_cast<u32*>(first + static_cast<std::size_t>(y) * rowPitch + static_cast<std::size_t>(x) * 4);
  *pitch = static_cast<i32>(rowPitch);
}

void Texture::unlock(u32** pointer, i32 level) {
  ENGINE_ASSERT(mImpl && mImpl->deviceTexture() && "Texture is empty.");
  mImpl->deviceTexture()->unlock(static_cast<u32>(level));
  *pointer = nullptr;
}

}  // namespace Engine::Graphics
