#include <algorithm>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Graphics/MipChain.h"
#include "Graphics/src/TextureImpl.h"
#include "Graphics/src/TextureMaking.h"

namespace Engine::Graphics {

namespace {

constexpr const char* kInMemory = "(image in memory)";

i32 powerOfTwoSide(i32 side) { return static_cast<i32>(powerOfTwoAtLeast(static_cast<u32>(std::max(side, 1)))); }

}  // namespace

Texture Texture::create(const char* fileName) {
  ENGINE_ASSERT(fileName && "Texture::create : no file name.");
  const i32 fileType = getFileType(fileName);
  if (fileType == kImageFileOther) {
    return Texture(new Impl());
  }
  return Texture(new Impl(FileIO::InFile::create(fileName), fileName, fileType));
}

Texture Texture::create(const void* data, i32 size) {
  ENGINE_ASSERT((data || size == 0) && size >= 0 && "Texture::create : no image data.");
  const ImageReadResult result = readImage(kInMemory, static_cast<const u8*>(data), static_cast<std::size_t>(size));
  if (!result.ok()) {
    cout << result.error.c_str() << endl;
    return Texture(new Impl());
  }
  return Texture(new Impl(makeImageTexture(kInMemory, result.image)));
}

Texture Texture::create(i32 width, i32 height, bool mipmaps) {
  const i32 sideX = powerOfTwoSide(width);
  const i32 sideY = powerOfTwoSide(height);
  const i32 levels = mipmaps ? mipLevelCount(sideX, sideY) : 1;
  return Texture(new Impl(makeDeviceTexture("an empty texture", sideX, sideY, levels)));
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

bool Texture::isReady() const { return mImpl && mImpl->finishLoading(); }
i32 Texture::width() const { return mImpl ? mImpl->width() : 0; }
i32 Texture::height() const { return mImpl ? mImpl->height() : 0; }
bool Texture::hasPixels() const { return mImpl && mImpl->deviceTexture(); }

i32 Texture::levels() const {
  return hasPixels() ? static_cast<i32>(mImpl->deviceTexture()->levels()) : 0;
}

void Texture::lock(u32** pointer, i32* pitch, i32 x, i32 y, i32 width, i32 height, i32 level) {
  ENGINE_ASSERT(hasPixels() && "Texture is empty.");
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
  mImpl->setLockedRows(y, height);
}

void Texture::unlock(u32** pointer, i32 level) {
  ENGINE_ASSERT(hasPixels() && "Texture is empty.");
  mImpl->deviceTexture()->unlockRows(static_cast<u32>(level), static_cast<u32>(mImpl->lockedFirstRow()),
                                     static_cast<u32>(mImpl->lockedRowCount()));
  *pointer = nullptr;
}

}  // namespace Engine::Graphics
