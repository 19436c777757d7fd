#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

#include "Platform/GlyphRasterizer.h"

namespace Platform::FreeType {

using Library = std::shared_ptr<FT_LibraryRec_>;

// One open face at one size. Keeps the library alive as long as it lives.
class FreeTypeFace : public GlyphFace {
 public:
  FreeTypeFace(Library library, FT_Face face, const GlyphFaceDesc& desc);
  ~FreeTypeFace() override;
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  GlyphFaceMetrics metrics() const override { return mMetrics; }
  GlyphImage rasterize(std::uint16_t code) override;

 private:
  GlyphImage missingGlyph(std::uint16_t code) const;
  // Whether the glyph of a code is smoothed.
  bool smooths(std::uint16_t code) const;
  bool renderSlot(bool smooth);

  Library mLibrary;
  FT_Face mFace;
  GlyphFaceDesc mDesc;
  GlyphFaceMetrics mMetrics;
  bool mSynthesizeBold = false;
};

// Whether the face draws Japanese kana (it has a glyph for 'あ').
bool hasKana(FT_Face face);

// Unicode code point of a Shift-JIS code, or 0 when it has none.
char32_t unicodeOf(std::uint16_t code);

}  // namespace Platform::FreeType
