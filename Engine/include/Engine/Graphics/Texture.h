#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Graphics {

// A reference-counted 32-bit texture on the graphics manager's device, with
// power-of-two sides. Pixels are u32 0xAARRGGBB (bytes B, G, R, A).
class Texture {
 public:
  class Impl;

  // An empty texture; sides are raised to powers of two. With mipmaps, the
  // levels go on halving while both sides stay above 0.
  static Texture create(i32 width, i32 height, bool mipmaps);

  Texture() = default;
  Texture(const Texture& other);
  Texture& operator=(const Texture& other);
  ~Texture();
  void release();

  bool isReady() const;
  i32 width() const;
  i32 height() const;
  i32 levels() const;

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
