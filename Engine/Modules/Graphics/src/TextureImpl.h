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

}  // namespace Engine::Graphics
