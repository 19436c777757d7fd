#pragma once

#include <memory>

#include "Engine/Base/ReferenceType.h"
#include "Engine/Graphics/Texture.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

class Texture::Impl : public ReferenceType {
 public:
  Impl(std::unique_ptr<Platform::GraphicsTexture> texture, i32 width, i32 height)
      : mTexture(std::move(texture)), mWidth(width), mHeight(height) {}

  // Null while the texture is empty.
  Platform::GraphicsTexture* deviceTexture() const { return mTexture.get(); }
  i32 width() const { return mWidth; }
  i32 height() const { return mHeight; }

 private:
  std::unique_ptr<Platform::GraphicsTexture> mTexture;
  i32 mWidth;
  i32 mHeight;
};

// The smallest power of two at least n, starting at 1.
i32 powerOfTwoAtLeast(i32 n);
// Halvings while both sides stay above 0: 256x64 gives 7.
i32 mipLevelCount(i32 width, i32 height);

}  // namespace Engine::Graphics
