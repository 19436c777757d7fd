#include "Graphics/src/TextureImpl.h"

#include <cstring>
#include <string>
#include <vector>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Graphics/MipChain.h"
#include "Graphics/src/ManagerImpl.h"
#include "Graphics/src/TextureMaking.h"

namespace Engine::Graphics {

namespace {

Platform::GraphicsDevice& textureDevice() {
  ManagerImpl* manager = ManagerImpl::instance();
  ENGINE_ASSERT(manager && "the graphics manager does not exist.");
  return manager->device();
}

void copyLevel(Platform::GraphicsTexture& texture, u32 level, const Image& image) {
  u32 pitch = 0;
  auto* rows = static_cast<u8*>(texture.lock(level, pitch));
  for (i32 y = 0; y < image.height; ++y) {
    std::memcpy(rows + static_cast<std::size_t>(y) * pitch, image.row(y), static_cast<std::size_t>(image.width) * 4);
  }
  texture.unlock(level);
}

}  // namespace

std::unique_ptr<Platform::GraphicsTexture> makeDeviceTexture(const char* what, i32 width, i32 height, i32 levels) {
  Platform::GraphicsDevice& graphics = textureDevice();
  const u32 largest = graphics.caps().maxTextureSize;
  if (largest != 0 && (static_cast<u32>(width) > largest || static_cast<u32>(height) > largest)) {
    cout << "Texture : " << what << " needs " << width << "x" << height << ", more than the device's largest texture ("
         << static_cast<i32>(largest) << "); it stays empty." << endl;
    return nullptr;
  }
  auto texture = graphics.createTexture(static_cast<u32>(width), static_cast<u32>(height), static_cast<u32>(levels));
  if (!texture) {
    cout << "Texture : the device could not create " << what << " (" << width << "x" << height
         << "); it stays empty." << endl;
  }
  return texture;
}

std::unique_ptr<Platform::GraphicsTexture> makeImageTexture(const char* what, const Image& image) {
  const std::vector<Image> levels = buildTextureLevels(image);
  auto texture = makeDeviceTexture(what, levels.front().width, levels.front().height, static_cast<i32>(levels.size()));
  if (texture) {
    for (std::size_t level = 0; level < levels.size(); ++level) {
      copyLevel(*texture, static_cast<u32>(level), levels[level]);
    }
  }
  return texture;
}

Texture::Impl::~Impl() = default;

void Texture::Impl::adopt(std::unique_ptr<Platform::GraphicsTexture> texture) {
  mTexture = std::move(texture);
  mWidth = mTexture ? static_cast<i32>(mTexture->width()) : 0;
  mHeight = mTexture ? static_cast<i32>(mTexture->height()) : 0;
}

bool Texture::Impl::finishLoading() {
  if (!mFile) {
    return true;
  }
  if (!mFile.isFinished()) {
    return false;
  }
  Image image;
  if (!mFile.isError() && loadImage(mName.c_str(), mFileType, reinterpret_cast<const u8*>(mFile.data()),
                                    mFile.size(), image)) {
    adopt(makeImageTexture(mName.c_str(), image));
  }
  mFile = FileIO::InFile();
  return true;
}

}  // namespace Engine::Graphics
