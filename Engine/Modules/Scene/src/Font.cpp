#include "Engine/Scene/Font.h"

#include <string>
#include <utility>
#include <vector>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Platform/Backend.h"
#include "Scene/src/FontImpls.h"

namespace Engine::Scene {

Font Font::createOS(const char* faceName, i32 height, bool bold, bool italic, bool proportional, bool antialias,
                    i32 pageWidth, i32 pageHeight) {
  Platform::GlyphFaceDesc desc;
  desc.name = faceName ? faceName : "";
  desc.height = height;
  desc.bold = bold;
  desc.italic = italic;
  desc.proportional = proportional;
  desc.antialias = antialias;
  std::unique_ptr<Platform::GlyphFace> face = Platform::backend().glyphRasterizer().openFace(desc);
  if (!face) {
    cout << "Font : the system has no font face for \"" << desc.name.c_str() << "\"; characters are drawn as boxes."
         << endl;
    return Font(new FacelessFont(height));
  }
  return Font(new SystemFont(std::move(face), pageWidth, pageHeight));
}

Font Font::createBitmap(const char* const* imageData, const i32* imageSizes, i32 imageCount, const u8* glyphTable,
                        i32 glyphCount) {
  ENGINE_ASSERT(imageCount >= 0 && glyphCount >= 0 && "Font::createBitmap : negative count.");
  std::vector<Graphics::Texture> textures;
  textures.reserve(static_cast<std::size_t>(imageCount));
  for (i32 i = 0; i < imageCount; ++i) {
    textures.push_back(Graphics::Texture::create(imageData[i], imageSizes[i]));
  }
  return Font(new BitmapFont(std::move(textures), BitmapGlyphTable(glyphTable, glyphCount)));
}

Font::Font(const Font& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Font& Font::operator=(const Font& other) {
  Impl* previous = mImpl;
  mImpl = other.mImpl;
  referImpl(mImpl);
  releaseImpl(previous);
  return *this;
}

Font::~Font() { releaseImpl(mImpl); }

void Font::release() { releaseImpl(mImpl); }

bool Font::getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight,
                   u16 code) const {
  ENGINE_ASSERT(mImpl && "Font is empty.");
  return mImpl->getChar(texture, uvTopLeft, uvBottomRight, code);
}

i32 Font::charHeight() const {
  ENGINE_ASSERT(mImpl && "Font is empty.");
  return mImpl->charHeight();
}

}  // namespace Engine::Scene
