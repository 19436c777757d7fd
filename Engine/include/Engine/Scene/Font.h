#pragma once

#include "Engine/Base/ReferenceType.h"
#include "Engine/Base/Types.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Math/Vector2.h"

namespace Engine::Scene {

// Turns a Shift-JIS character code (one byte, or lead byte * 256 + trail
// byte) into a textured rectangle: the texture and the texture coordinates
// of the glyph's cell. The cell's size in pixels is the coordinates' span
// times the texture's size.
class Font {
 public:
  class Impl : public ReferenceType {
   public:
    explicit Impl(i32 charHeight) : mCharHeight(charHeight) {}
    virtual ~Impl() = default;
    // False when the font has no such glyph; the outputs are then unchanged.
    virtual bool getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight,
                         u16 code) = 0;
    // The height of one line of text, in pixels.
    virtual i32 charHeight() const { return mCharHeight; }

   protected:
    i32 mCharHeight;
  };

  // A font of the system's faces, each glyph drawn on its first use into
  // cells on texture pages of the given size. "ＭＳ ゴシック" and the other
  // Japanese face names find a Japanese Gothic face.
  static Font createOS(const char* faceName, i32 height, bool bold, bool italic, bool proportional, bool antialias,
                       i32 pageWidth, i32 pageHeight);
  // A font of ready-made glyphs: image i is an image file held in memory at
  // imageData[i], imageSizes[i] bytes long; the glyph table has glyphCount
  // entries of 10 bytes in ascending code order.
  static Font createBitmap(const char* const* imageData, const i32* imageSizes, i32 imageCount, const u8* glyphTable,
                           i32 glyphCount);

  Font() = default;
  Font(const Font& other);
  Font& operator=(const Font& other);
  ~Font();
  void release();

  bool getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight, u16 code) const;
  i32 charHeight() const;

  explicit operator bool() const { return mImpl != nullptr; }
  bool operator==(const Font& other) const { return mImpl == other.mImpl; }
  bool operator!=(const Font& other) const { return mImpl != other.mImpl; }
  Impl* impl() const { return mImpl; }

 private:
  explicit Font(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Scene
