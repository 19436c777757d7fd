#include "Framework/src/DebugFont.h"

#include "Engine/Scene/BitmapGlyphTable.h"
#include "debugfont/DebugFontImage.h"

namespace Engine {

namespace {

void appendU16(std::vector<u8>& table, i32 value) {
  table.push_back(static_cast<u8>(value & 0xFF));
  table.push_back(static_cast<u8>(value >> 8));
}

void appendGlyph(std::vector<u8>& table, i32 code) {
  appendU16(table, code);
  appendU16(table, (code % 16) * DebugFont::kCellWidth);
  appendU16(table, (code / 16) * DebugFont::kCellHeight);
  table.push_back(0);  // texture page
  table.push_back(static_cast<u8>(DebugFont::kCellWidth));
  table.push_back(static_cast<u8>(DebugFont::kCellHeight));
  table.push_back(0);
}

}  // namespace

std::span<const u8> DebugFont::image() { return {DebugFontData::kTga, sizeof(DebugFontData::kTga)}; }

std::vector<u8> DebugFont::glyphTable() {
  std::vector<u8> table;
  table.reserve(static_cast<std::size_t>(kGlyphCount * Scene::BitmapGlyphTable::kEntrySize));
  for (i32 code = 32; code <= 126; ++code) {
    appendGlyph(table, code);
  }
  for (i32 code = 161; code <= 223; ++code) {
    appendGlyph(table, code);
  }
  return table;
}

}  // namespace Engine
