#include "Engine/Scene/BitmapGlyphTable.h"

#include <algorithm>

namespace Engine::Scene {

namespace {

u16 readU16(const u8* bytes) { return static_cast<u16>(bytes[0] | bytes[1] << 8); }

}  // namespace

BitmapGlyphTable::BitmapGlyphTable(const u8* table, i32 glyphCount) {
  mEntries.reserve(static_cast<std::size_t>(std::max(glyphCount, 0)));
  for (i32 i = 0; i < glyphCount; ++i) {
    const u8* entry = table + static_cast<std::size_t>(i) * kEntrySize;
    GlyphRecord record;
    record.x = readU16(entry + 2);
    record.y = readU16(entry + 4);
    record.page = entry[6];
    record.width = entry[7];
    record.height = entry[8];
    mEntries.push_back({readU16(entry), record});
    mCharHeight = std::max<i32>(mCharHeight, record.height);
  }
  // Tables are written in code order; one that is not still finds every code.
  std::stable_sort(mEntries.begin(), mEntries.end(), [](const Entry& a, const Entry& b) { return a.code < b.code; });
}

const GlyphRecord* BitmapGlyphTable::find(u16 code) const {
  const auto found = std::lower_bound(mEntries.begin(), mEntries.end(), code,
                                      [](const Entry& entry, u16 wanted) { return entry.code < wanted; });
  if (found == mEntries.end() || found->code != code) {
    return nullptr;
  }
  return &found->record;
}

}  // namespace Engine::Scene
