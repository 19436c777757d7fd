#include <vector>

#include "presentation/render/RenderState.h"
#include "presentation/ui/SmoothPoint.h"
#include "presentation/widget/KeyScript.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/NumberInput.h"
#include "presentation/widget/RingMenu.h"
#include "presentation/widget/TextGrid.h"
#include "presentation/widget/Widget.h"

namespace {

TEST(SmoothPointTest, TakesItsFirstTargetAtOnceThenClosesHalfTheDistance) {
  Game::SmoothPoint point;
  point.setTarget(100.f, -40.f);
  point.setTarget(0.f, 0.f);
  EXPECT_EQ(point.x(), 100.f);
  point.step();
  EXPECT_EQ(point.x(), 50.f);
  EXPECT_EQ(point.y(), -20.f);
  point.reset();
  point.setTarget(7.f, 8.f);
  EXPECT_EQ(point.x(), 7.f);
  EXPECT_EQ(point.y(), 8.f);
}

class WidgetKeysTest : public WidgetTest::KeyScript {};

TEST_F(WidgetKeysTest, OnlyASelectableTextIsEverDecided) {
  Game::Widget::Text text;
  text.set("label", 0xFFFFFFFF, 1);
  step({kDecide});
  EXPECT_FALSE(text.isDecided());
  text.selectable = true;
  EXPECT_TRUE(text.isDecided());
  step({kDecide});  // held, not pressed anew
  EXPECT_FALSE(text.isDecided());
  Game::Widget::Picture picture;
  picture.selectable = true;
  step();
  step({kDecide});
  EXPECT_FALSE(picture.isDecided());
}

TEST(WidgetPictureTest, APictureTakesFourUnitsOfAList) {
  Game::ListMenu menu;
  menu.addEntry(new Game::Widget::Picture(), false);
  menu.addItem("next", 1, 0xFFC0C0C0, 1);
  EXPECT_EQ(menu.item(1)->y, -4.f);
  Game::Widget::Text holder;
  EXPECT_EQ(holder.addPicture(nullptr, Game::RenderState())->height, 4.f);
  EXPECT_EQ(holder.children.count(), 1);
}

using Game::RingMenu;
using Platform::Key;

class RingMenuTest : public WidgetTest::KeyScript {
 protected:
  // Items with ids 10, 11, ...
  void fill(int n) { for (int id = 0; id < n; ++id) ring.addItem(10 + id, nullptr); }
  int frame(std::initializer_list<Key> held = {}) {
    step(held);
    return ring.update();
  }

  RingMenu ring{10.f, 100.f};
};

TEST_F(RingMenuTest, TheOpeningTakesNoKeysWhileTheRingGrowsAndUnwinds) {
  fill(4);
  EXPECT_EQ(ring.radius().value(), -1000.f);
  EXPECT_EQ(ring.spin().value(), 360.f);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(frame({i % 2 ? Key::Right : kDecide}), 0) << i;
  EXPECT_EQ(ring.cursor(), 0);
  // The 20th update counts the opening down to 0 and takes the keys.
  step();
  EXPECT_EQ(frame({kDecide}), 1);
  EXPECT_FLOAT_EQ(ring.radius().value(), 100.f);
  EXPECT_FLOAT_EQ(ring.spin().value(), 0.f);
  EXPECT_EQ(ring.selectedItem(), 10);
}

TEST_F(RingMenuTest, LeftFromTheFirstOfFourSelectsTheLast) {
  fill(4);
  ring.finishOpening();
  EXPECT_EQ(frame({Key::Left}), 0);
  EXPECT_EQ(ring.cursor(), -1);
  EXPECT_FLOAT_EQ(ring.rotation().target(), 90.f);
  EXPECT_EQ(ring.selectedItem(), 13);
  EXPECT_EQ(frame({kCancel}), 2);
}

TEST_F(RingMenuTest, UnknownIdsAndEmptyRingsAreHarmless) {
  EXPECT_EQ(ring.selectedItem(), -1);
  ring.setCursor(3);  // no step to divide by
  ring.draw(Game::RenderState(), 0.f);
  ring.finishOpening();
  EXPECT_EQ(frame({Key::Right}), 0);
  fill(3);
  ring.setCursorById(42);
  EXPECT_EQ(ring.cursor(), 3);
  EXPECT_EQ(ring.selectedItem(), 10);
  EXPECT_FLOAT_EQ(ring.rotation().target(), -360.f);
  EXPECT_EQ(ring.findItem(15), nullptr);
}

using Game::NumberInput;

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
TEST_F(NumberInputTest, TheCursorStandsOverTheSelectedDigitAndExtremesNeverOverflow) {
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
  press(input, Key::Up);
  EXPECT_EQ(input.value(), 105) << "a hundred up";
  // A negative maximum counts its sign.
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
  grid.cellOffset(&x, &y, 1, 1);
  // Column 0 is 4 bytes of font 1; the last cell is offset by the first column and row.
  EXPECT_EQ((std::vector<float>{grid.columnWidth(0), grid.columnWidth(1), grid.rowHeight(1), grid.totalWidth(), x, y}),
            (std::vector<float>{40.f, 26.f, 26.f, 66.f, 40.f, grid.rowHeight(0)}));
  EXPECT_EQ((std::vector<Engine::u32>{grid.cell(1, 0).color, grid.cell(0, 1).color, grid.cell(1, 1).color}),
            (std::vector<Engine::u32>{0xFFFFFFFFu, 0xFFC0C0C0u, 0xFF102030u}));
}

}  // namespace
