#pragma once

#include <memory>
#include <string>

#include "Engine/Base/ReferenceType.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/Graphics/ImageFile.h"
#include "Engine/Graphics/Texture.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

class Texture::Impl : public ReferenceType {
 public:
  Impl() = default;
  explicit Impl(std::unique_ptr<Platform::GraphicsTexture> texture) { adopt(std::move(texture)); }
  // Waits for the image file of the name, decoded on the first isReady
  // after it has loaded.
  Impl(FileIO::InFile file, const char* name, i32 fileType)
      : mFile(std::move(file)), mName(name), mFileType(fileType) {}
  ~Impl();

  // False while the file is still loading; decodes it once it has.
  bool finishLoading();

  // Null while the texture is empty.
  Platform::GraphicsTexture* deviceTexture() const { return mTexture.get(); }
  i32 width() const { return mWidth; }
  i32 height() const { return mHeight; }
  // The rows of the last lock: an unlock uploads only those.
  void setLockedRows(i32 first, i32 count) {
    mLockedFirstRow = first;
    mLockedRowCount = count;
  }
  i32 lockedFirstRow() const { return mLockedFirstRow; }
  i32 lockedRowCount() const { return mLockedRowCount; }

 private:
  void adopt(std::unique_ptr<Platform::GraphicsTexture> texture);

  std::unique_ptr<Platform::GraphicsTexture> mTexture;
  FileIO::InFile mFile;
  std::string mName;
  i32 mWidth = 0;
  i32 mHeight = 0;
  i32 mFileType = kImageFileOther;
  i32 mLockedFirstRow = 0;
  i32 mLockedRowCount = 0;
};

}  // namespace Engine::Graphics
