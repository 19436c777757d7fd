#include "presentation/widget/NumberInput.h"

#include "presentation/widget/KeyScript.h"
#include "presentation/widget/TextGrid.h"

namespace {

using Game::NumberInput;
using Platform::Key;

class NumberInputTest : public WidgetTest::KeyScript {
 protected:
  // A press and a release; the result of the press.
  int press(NumberInput& input, Key key) {
    step({key});
    const int result = input.update();
    step();
    return result;
  }
};

TEST_F(NumberInputTest, TensHeldUpStopAtTheMaximumAndTheDigitStaysInRange) {
  NumberInput input(95, 0, 99);
  EXPECT_EQ(input.digits(), 2);
  EXPECT_EQ(press(input, Key::Left), 0);
  press(input, Key::Left);
  EXPECT_EQ(input.digit(), 1);
  for (int i = 0; i < 40; ++i) {
    step({Key::Up});
    input.update();
  }
  EXPECT_EQ(input.value(), 99);
  press(input, Key::Right);
  press(input, Key::Right);
  EXPECT_EQ(input.digit(), 0);
  EXPECT_EQ(press(input, kDecide), 1);
  EXPECT_EQ(press(input, kCancel), 2);
}

// Three digits of font 2 make a 39 x 26 box about the centre; the cursor
// stands over the middle of the selected digit's cell, gliding half the way.
TEST_F(NumberInputTest, TheCursorStandsOverTheSelectedDigit) {
  NumberInput input(5, 0, 999);
  EXPECT_EQ(input.cursor().x(), 13.f);  // the ones, the third cell
  EXPECT_EQ(input.cursor().y(), 0.f);
  press(input, Key::Left);
  EXPECT_EQ(input.cursor().targetX(), 0.f);
  input.update();
  EXPECT_EQ(input.cursor().x(), 6.5f);
  input.setCentre(100.f, 50.f);
  press(input, Key::Left);
  EXPECT_EQ(input.cursor().targetX(), 80.5f + 6.5f);
  EXPECT_EQ(input.cursor().targetY(), 50.f);
}

TEST_F(NumberInputTest, ANegativeMaximumCountsItsSignAndExtremesNeverOverflow) {
  EXPECT_EQ(NumberInput(-5, -50, -10).digits(), 3);
  NumberInput big(2147483000, 0, 2147483647);
  EXPECT_EQ(big.digits(), 10);
  for (int i = 0; i < 9; ++i) press(big, Key::Left);
  press(big, Key::Up);
  EXPECT_EQ(big.value(), 2147483647);
}

TEST(TextGridTest, LayoutTakesTheLargestCellOfEachRowAndColumn) {
  Game::TextGrid grid;
  float x = -1.f;
  float y = -1.f;
  grid.cellOffset(&x, &y, 0, 0);  // empty: no cell to read
  EXPECT_EQ(x + y, 0.f);
  grid.resize(2, 2);
  grid.cell(0, 0).text.assign("abcd");
  grid.cell(1, 1).text.assign("xy");
  grid.cell(1, 1).font = 2;
  grid.setColorRange(0, 0, 5, 0, 0xFFFFFFFF);
  grid.setColorRange(1, 1, 9, 9, 0xFF102030);  // cut at the grid's last row and column
  grid.layout();
  EXPECT_EQ(grid.columnWidth(0), 40.f);  // 4 bytes of font 1
  EXPECT_EQ(grid.columnWidth(1), 26.f);
  EXPECT_EQ(grid.rowHeight(1), 26.f);
  grid.cellOffset(&x, &y, 1, 1);
  EXPECT_EQ(x, 40.f);
  EXPECT_EQ(y, grid.rowHeight(0));
  EXPECT_EQ(grid.totalWidth(), 66.f);
  EXPECT_EQ(grid.cell(1, 0).color, 0xFFFFFFFFu);
  EXPECT_EQ(grid.cell(0, 1).color, 0xFFC0C0C0u);
  EXPECT_EQ(grid.cell(1, 1).color, 0xFF102030u);
}

}  // namespace
