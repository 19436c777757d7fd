#include "presentation/resource/Texture.h"

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Threading/Sleep.h"
#include "core/math/MathHelper.h"
#include "core/file/FileLoader.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

using Engine::i32;

Texture::~Texture() { releaseHandle(); }

void Texture::releaseHandle() {
  if (mHandle) {
    FileLoader* loader = FileLoader::instance();
    ENGINE_ASSERT(loader && "Texture : the file loader is gone before the textures.");
    loader->releaseTexture(mHandle);
    mHandle.release();
  }
}

Texture* Texture::findOrCreate(ResourceSet& set, const NmlNode& node, const char* directory) {
  const NmlAttribute* nameLine = node.findAttribute("name");
  if (nameLine) {
    if (Texture* held = set.findTexture(nameLine->toString(0))) {
      return held;
    }
  }
  Texture* texture = set.textures().addNew();
  texture->load(node, directory, set.loadingFile());
  if (!texture->handle()) {
    // Most often a name used before the texture's definition, which is then skipped.
    Engine::cout << "Texture: " << set.loadingFile() << " : \"" << texture->name()
                 << "\" is defined without \"path\" or \"file\": it has no image" << Engine::endl;
  }
  return texture;
}

void Texture::load(const NmlNode& node, const char* directory, const char* sourceName) {
  if (const NmlAttribute* line = node.findAttribute("name")) {
    mName.assign(line->toString(0));
  }
  if (const NmlAttribute* pathLine = node.findAttribute("path")) {
    open(pathLine->toString(0));
  } else if (const NmlAttribute* fileLine = node.findAttribute("file")) {
    String path(directory);
    path.append(fileLine->toString(0));
    open(path.c_str());
  }
  if (const NmlAttribute* line = node.findAttribute("size")) {
    const i32 width = line->toInt(0);
    const i32 height = line->toInt(1);
    if (width > kMaxSide || height > kMaxSide) {
      Engine::cout << "Texture: " << sourceName << " : \"" << name() << "\" has a size beyond " << kMaxSide
                   << "; the image's is used" << Engine::endl;
      return;
    }
    mWidth = MathHelper::nextPowerOfTwo(width);
    mHeight = MathHelper::nextPowerOfTwo(height);
  }
}

void Texture::open(const char* fileName) {
  releaseHandle();
  mWidth = 0;
  mHeight = 0;
  // Definition files name textures without their extension.
  String file(fileName);
  file.append(".tga");
  FileLoader* loader = FileLoader::instance();
  ENGINE_ASSERT(loader && "Texture::open : the file loader does not exist.");
  mHandle = loader->acquireTexture(file.c_str());
  mLoaded = false;
  mWaiting = true;
}

i32 Texture::width() const { return mWidth != 0 ? mWidth : mHandle.width(); }

i32 Texture::height() const { return mHeight != 0 ? mHeight : mHandle.height(); }

void Texture::waitReady() {
  while (mWaiting) {
    if (!mHandle || mHandle.isReady()) {
      mLoaded = static_cast<bool>(mHandle);
      mWaiting = false;
      return;
    }
    Engine::Threading::sleep(1);
  }
}

}  // namespace Game
