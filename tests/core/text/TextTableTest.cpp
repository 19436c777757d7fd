#include <gtest/gtest.h>

#include "core/text/TextTable.h"

namespace {

int cellsInRow(const Game::TextTable& table, int row) {
  const Game::TextTable::Row* found = table.row(row);
  return found ? found->cellCount() : -1;
}

TEST(TextTableTest, EmptyCellsBetweenSeparatorsAreKept) {
  Game::TextTable table;
  table.parse(",x,,y\n\nz", ',');
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(cellsInRow(table, 0), 4);
  EXPECT_STREQ(table.cellText(0, 0), "");
  EXPECT_STREQ(table.cellText(0, 2), "");
  EXPECT_STREQ(table.cellText(0, 3), "y");
  EXPECT_EQ(cellsInRow(table, 1), 0);
  EXPECT_STREQ(table.cellText(2, 0), "z");
}

TEST(TextTableTest, TwoByteCharactersAreNeverSplitNorReadPastTheEnd) {
  // ソ is 83 5C and 表 is 95 5C in Shift-JIS: their second byte is '\'.
  Game::TextTable table;
  table.parse("ソ\\表\\\xB1\\", '\\');
  ASSERT_EQ(table.rowCount(), 1);
  ASSERT_EQ(cellsInRow(table, 0), 3);
  EXPECT_STREQ(table.cellText(0, 0), "ソ");
  EXPECT_STREQ(table.cellText(0, 1), "表");
  EXPECT_STREQ(table.cellText(0, 2), "\xB1");  // a half-width kana stands alone
  // A lead byte at the end, and cells that are not there.
  Game::TextTable cut;
  cut.parse("a\x83", ',');
  ASSERT_EQ(cut.rowCount(), 1);
  EXPECT_STREQ(cut.cellText(0, 0), "a\x83");
  EXPECT_EQ(table.row(3), nullptr);
  EXPECT_EQ(table.cell(0, 5), nullptr);
  EXPECT_STREQ(table.cellText(7, 0), "");
}

}  // namespace
