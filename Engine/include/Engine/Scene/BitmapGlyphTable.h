#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Scene/GlyphRecord.h"

namespace Engine::Scene {

// The glyphs of a bitmap font, read from a table of 10-byte little-endian
// entries: code (u16), x (u16), y (u16), texture index (u8), width (u8),
// height (u8), one unused byte.
class BitmapGlyphTable {
 public:
  static constexpr i32 kEntrySize = 10;

  BitmapGlyphTable() = default;
  BitmapGlyphTable(const u8* table, i32 glyphCount);

  // The glyph of a code, or null when the font has none.
  const GlyphRecord* find(u16 code) const;
  // The tallest glyph's height; 0 for an empty table.
  i32 charHeight() const { return mCharHeight; }
  i32 glyphCount() const { return static_cast<i32>(mEntries.size()); }

 private:
  struct Entry {
    u16 code;
    GlyphRecord record;
  };
  std::vector<Entry> mEntries;
  i32 mCharHeight = 0;
};

}  // namespace Engine::Scene
