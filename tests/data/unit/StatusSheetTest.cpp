// The status sheet's table for a sample character and its rows by mode bits.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/stats/Experience.h"
#include "data/unit/PlayerGhost.h"
#include "data/unit/StatusSheet.h"
#include "presentation/widget/TextGrid.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Engine::i32;
using Game::StatusSheet::kAllRows;

std::vector<std::string> rowOf(Game::TextGrid& grid, i32 row) {
  std::vector<std::string> cells;
  for (i32 column = 0; column < grid.columns(); ++column) {
    const char* text = grid.cell(row, column).text.c_str();
    cells.emplace_back(text ? text : "");
  }
  return cells;
}

class StatusSheetTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ghost.setUp(*database().findShell("Kessa"), Game::Experience::forLevel(12) + 5);
  }
  Game::PlayerGhost ghost;
};

TEST_F(StatusSheetTest, EveryRowOfACharacter) {
  Game::TextGrid grid;
  Game::StatusSheet::fillTable(grid, ghost, kAllRows);
  ASSERT_EQ(grid.rows(), 5);
  ASSERT_EQ(grid.columns(), 6);
  using Row = std::vector<std::string>;
  EXPECT_EQ(rowOf(grid, 0), (Row{"剣のケッサ", "", "", "", "", ""}));
  EXPECT_EQ(rowOf(grid, 1), (Row{" Lv", "12", " Exp   ", std::to_string(Game::Experience::forLevel(12) + 5), " next ",
                                 std::to_string(Game::Experience::forLevel(13))}));
  const std::string ap = std::to_string(ghost.getAp(0)) + "/" + std::to_string(ghost.getAp(1)) + "/" +
                         std::to_string(ghost.getAp(2));
  EXPECT_EQ(rowOf(grid, 2), (Row{" LP", std::to_string(ghost.lp()), "", "", " AP", ap}));
  EXPECT_EQ(rowOf(grid, 3), (Row{"O.Lv ", "0", " O.Exp ", "0", " OP", "0"}));
  EXPECT_EQ(rowOf(grid, 4), (Row{" BP", "11", "", "", "", ""}));
}

// Columns line up from sheet to sheet whatever the name: the labels' column
// is "O.Lv " wide (5 bytes of font 1: 50 units) on every sheet, and a name
// wider than the table ("盾のトヴァン", 120 units, over the bonus sheet's
// 50 + 10) widens the sheet instead: 120 + 64.
TEST_F(StatusSheetTest, TheNameNeverMovesTheColumns) {
  Game::PlayerGhost tovan;
  tovan.setUp(*database().findShell("盾のトヴァン"), 0);
  for (Game::PlayerGhost* g : {&ghost, &tovan}) {
    Game::TextGrid grid;
    Game::StatusSheet::fillTable(grid, *g, Game::StatusSheet::kBonusRow);
    EXPECT_EQ(grid.columnWidth(0), 50.f) << g->getName();
  }
  float width = 0.f;
  tovan.measureSheet(&width, nullptr, Game::StatusSheet::kBonusRow);
  EXPECT_EQ(width, 120.f + 64.f);
}

TEST_F(StatusSheetTest, TheTopLevelsShowDashesAndMax) {
  ghost.setUp(*database().findShell("Kessa"), Game::Experience::forLevel(99));
  ghost.gainExperience(nullptr, 0, Game::Experience::forMasterLevel(30));
  Game::TextGrid grid;
  Game::StatusSheet::fillTable(grid, ghost, kAllRows);
  EXPECT_EQ(rowOf(grid, 1)[5], "-------");
  EXPECT_EQ(rowOf(grid, 3)[1], "Max");
  ghost.setUp(*database().findShell("Kessa"), Game::Experience::forLevel(98));
  Game::StatusSheet::fillTable(grid, ghost, kAllRows);
  EXPECT_EQ(rowOf(grid, 1)[5], std::to_string(Game::Experience::forLevel(99)));
}

TEST_F(StatusSheetTest, ModeBitsPickTheRowsAndTheSize) {
  struct Case {
    i32 mode;
    std::vector<bool> filled;
  };
  const Case cases[] = {
      {0, {true, false, false, false, false}},  {3, {true, true, true, false, false}},
      {4, {true, false, false, true, false}},   {8, {true, false, false, false, true}},
      {15, {true, true, true, true, true}},
  };
  for (const Case& c : cases) {
    Game::TextGrid grid;
    Game::StatusSheet::fillTable(grid, ghost, c.mode);
    float width = 0.f;
    float height = 0.f;
    ghost.measureSheet(&width, &height, c.mode);
    float rowsHeight = 0.f;
    for (i32 row = 0; row < 5; ++row) {
      EXPECT_EQ(!rowOf(grid, row)[0].empty(), c.filled[static_cast<std::size_t>(row)]) << c.mode << " row " << row;
      EXPECT_EQ(grid.rowHeight(row) > 0.f, c.filled[static_cast<std::size_t>(row)]) << c.mode << " row " << row;
      rowsHeight += grid.rowHeight(row);
    }
    // Never shorter than the model standing in it: 72 units, which only the
    // five rows (100) exceed; never narrower than her name (剣のケッサ, 100).
    EXPECT_EQ(height, c.mode == 15 ? rowsHeight : Game::StatusSheet::kFigureHeight) << c.mode;
    EXPECT_EQ(width, std::max(grid.totalWidth(), 100.f) + Game::StatusSheet::kModelWidth) << c.mode;
  }
}

}  // namespace
