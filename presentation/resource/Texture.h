#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Texture.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;
class ResourceSet;

// A named texture of a resource set: a device texture shared through the
// file loader's cache, and an optional size that stands for the image's.
class Texture {
 public:
  // The greatest side a "size" may give: the largest power of two of an i32.
  static constexpr Engine::i32 kMaxSide = 1 << 30;

  Texture() = default;
  // Gives the cache entry back.
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // The set's texture of the node's "name" when it holds one (the node is
  // not read); otherwise a new one appended to the set and loaded.
  static Texture* findOrCreate(ResourceSet& set, const NmlNode& node, const char* directory);

  // "name"; the image of "path" (from the working directory) or of "file"
  // (next to the definition file, in directory); "size" rounded up to powers
  // of two. A node naming no image leaves the texture without one; a size
  // past kMaxSide is named on the debug stream with sourceName and ignored.
  void load(const NmlNode& node, const char* directory, const char* sourceName = "");
  // Lets go of the previous image and starts loading fileName + ".tga".
  void open(const char* fileName);

  // The explicit size when there is one, else the image's (0 until loaded,
  // and for an image that could not be read).
  Engine::i32 width() const;
  Engine::i32 height() const;
  bool hasExplicitSize() const { return mWidth != 0 && mHeight != 0; }
  bool isReady() const { return mHandle.isReady(); }
  // Blocks until the image opened last has loaded (1 ms sleeps). A file the
  // loader cannot find stops the program there, so this always returns.
  void waitReady();
  bool isLoaded() const { return mLoaded; }

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  const Engine::Graphics::Texture& handle() const { return mHandle; }

 private:
  void releaseHandle();

  Engine::i32 mWidth = 0;
  Engine::i32 mHeight = 0;
  bool mLoaded = false;
  bool mWaiting = false;
  Engine::Graphics::Texture mHandle;
  String mName;
};

}  // namespace Game
