#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Graphics {

// A reference-counted 32-bit texture on the graphics manager's device, with
// power-of-two sides. Pixels are u32 0xAARRGGBB (bytes B, G, R, A).
//
// A texture that cannot be made (an unreadable or invalid image, sides the
// device cannot hold, a device failure) is reported on the debug stream and
// stays empty: it has no sides, and binding it binds nothing.
class Texture {
 public:
  class Impl;

  // An image file read through the file manager: the extension decides the
  // type (.tga, .dds; a .bmp is loaded but never decoded). Other names read
  // nothing. The texture is ready once the file has loaded and been decoded.
  static Texture create(const char* fileName);
  // An image file held in memory, decoded at once: "DDS " in the first four
  // bytes is a DDS file, anything else a TGA file.
  static Texture create(const void* data, i32 size);
  // An empty texture; sides are raised to powers of two. With mipmaps, the
  // levels go on halving while both sides stay above 0.
  static Texture create(i32 width, i32 height, bool mipmaps);

  Texture() = default;
  Texture(const Texture& other);
  Texture& operator=(const Texture& other);
  ~Texture();
  void release();

  // False for a null handle and while the image file is loading; a texture
  // read from an image gets its pixels and full mip chain here.
  bool isReady() const;
  // The power-of-two sides; 0 while loading and for an empty texture.
  i32 width() const;
  i32 height() const;
  i32 levels() const;
  // Whether there are pixels to lock and draw.
  bool hasPixels() const;

  // The rectangle from (x, y) of the level: its first pixel and the row pitch in bytes.
  void lock(u32** pointer, i32* pitch, i32 x, i32 y, i32 width, i32 height, i32 level);
  // Uploads the level and clears the caller's pointer.
  void unlock(u32** pointer, i32 level);

  explicit operator bool() const { return mImpl != nullptr; }
  bool operator==(const Texture& other) const { return mImpl == other.mImpl; }
  bool operator!=(const Texture& other) const { return mImpl != other.mImpl; }
  bool operator<(const Texture& other) const { return mImpl < other.mImpl; }
  Impl* impl() const { return mImpl; }

 private:
  explicit Texture(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Graphics
