#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Engine/Scene/BitmapGlyphTable.h"

namespace {

using Engine::Scene::BitmapGlyphTable;

void addEntry(std::vector<Engine::u8>& table, Engine::u16 code, Engine::u16 x, Engine::u16 y, Engine::u8 page,
              Engine::u8 width, Engine::u8 height) {
  const Engine::u8 entry[] = {static_cast<Engine::u8>(code), static_cast<Engine::u8>(code >> 8),
                              static_cast<Engine::u8>(x), static_cast<Engine::u8>(x >> 8),
                              static_cast<Engine::u8>(y), static_cast<Engine::u8>(y >> 8),
                              page, width, height, 0};
  table.insert(table.end(), entry, entry + BitmapGlyphTable::kEntrySize);
}

// Page, x, y, width and height of a found glyph.
std::tuple<int, int, int, int, int> cellOf(const Engine::Scene::GlyphRecord* record) {
  EXPECT_NE(record, nullptr);
  return record ? std::make_tuple(int{record->page}, int{record->x}, int{record->y}, int{record->width}, int{record->height})
                : std::make_tuple(-1, -1, -1, -1, -1);
}

TEST(BitmapGlyphTableTest, FindsListedCodesAndNothingElse) {
  std::vector<Engine::u8> bytes;
  addEntry(bytes, 'A', 8, 64, 0, 8, 16);
  addEntry(bytes, 'C', 24, 64, 1, 8, 18);
  addEntry(bytes, 0x82A0, 0x1234, 0x0102, 2, 16, 16);
  const BitmapGlyphTable table(bytes.data(), 3);
  EXPECT_EQ(table.glyphCount(), 3);
  EXPECT_EQ(table.charHeight(), 18);
  for (const Engine::u16 absent : {Engine::u16{0}, Engine::u16{'B'}, Engine::u16{'D'}, Engine::u16{0xFFFF}}) {
    EXPECT_EQ(table.find(absent), nullptr) << absent;
  }
  EXPECT_EQ(cellOf(table.find('C')), std::make_tuple(1, 24, 64, 8, 18));
  EXPECT_EQ(cellOf(table.find(0x82A0)), std::make_tuple(2, 0x1234, 0x0102, 16, 16));
}

TEST(BitmapGlyphTableTest, TableOutOfOrderStillFindsEveryCode) {
  std::vector<Engine::u8> bytes;
  addEntry(bytes, 'Z', 1, 0, 0, 8, 16);
  addEntry(bytes, 'A', 2, 0, 0, 8, 16);
  addEntry(bytes, 'M', 3, 0, 0, 8, 16);
  const BitmapGlyphTable table(bytes.data(), 3);
  EXPECT_EQ(table.find('A')->x, 2);
  EXPECT_EQ(table.find('M')->x, 3);
  EXPECT_EQ(table.find('Z')->x, 1);
}

}  // namespace
