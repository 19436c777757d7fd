#include "presentation/widget/ListMenu.h"

#include <string>
#include <vector>

#include "presentation/widget/KeyScript.h"

namespace {

using Game::ListMenu;
using Platform::Key;
using Ids = std::vector<int>;

constexpr Engine::u32 kGrey = 0xFFC0C0C0;

class ListMenuTest : public WidgetTest::KeyScript {
 protected:
  // n items with ids 100 + i; font 1 rows are 20 units high.
  void fill(int n) {
    for (int i = 0; i < n; ++i) menu.addItem(("item" + std::to_string(i)).c_str(), 100 + i, kGrey, 1);
  }
  // Draws past the input delay.
  void open() { for (int i = 0; i <= ListMenu::kInputDelay; ++i) menu.draw(true); }
  // One frame as screens run it: the step's keys, a draw, an update.
  int frame(std::initializer_list<Key> held = {}) {
    step(held);
    menu.draw(true);
    return menu.update();
  }
  // A press after a frame with nothing held.
  int press(std::initializer_list<Key> held) {
    frame();
    return frame(held);
  }
  int yesNo(Key key) {
    step({key});
    menu.draw(true);
    return menu.updateYesNo();
  }

  ListMenu menu;
};

TEST_F(ListMenuTest, TheFirstSevenDrawsIgnoreEveryKeyAfterOpeningOrReset) {
  fill(3);
  menu.setMaxChoices(2);  // a decision would show as a mark
  for (int i = 0; i < 7; ++i) {
    step();  // a fresh press on each draw
    EXPECT_EQ(frame({Key::Down, kDecide, kCancel}), ListMenu::kNothing) << i;
  }
  EXPECT_TRUE(menu.chosen().empty());
  step();
  EXPECT_EQ(frame({Key::Down}), ListMenu::kNothing);  // the eighth draw takes one
  EXPECT_EQ(menu.cursor(), 1);
  EXPECT_EQ(frame({kDecide}), ListMenu::kNothing);
  EXPECT_EQ(menu.chosen(), Ids{1});

  menu.reset();
  EXPECT_EQ(menu.cursor(), 0);
  fill(3);
  for (int i = 0; i < 7; ++i) {
    step();
    EXPECT_EQ(frame({kCancel}), ListMenu::kNothing) << i;
  }
  step();
  EXPECT_EQ(frame({kCancel}), ListMenu::kCancelled);
}

TEST_F(ListMenuTest, LayoutGrowsDownwardAndSizesThePanelKeepingItsTopLeftCorner) {
  menu.addText("title line", kGrey, 2);
  fill(2);
  // A row of font 2 (26) over rows of 20; as wide as 10 bytes of font 2.
  EXPECT_EQ((std::vector<float>{menu.item(2)->y, menu.height(), menu.width()}),
            (std::vector<float>{-46.f, 66.f, 130.f}));
  EXPECT_EQ(menu.cursor(), 1);  // the first selectable item
  menu.setVisibleRows(1);
  EXPECT_EQ(menu.height(), 46.f);
  menu.setCursorById(7);
  EXPECT_EQ(menu.cursor(), 1) << "an unknown id falls back to the first selectable";

  menu.setPosition(0.f, 0.f);
  menu.setSize(100.f, 40.f);
  EXPECT_EQ(menu.columnX(0.f), -50.f);
  EXPECT_EQ(menu.rowY(0.f), 20.f);
  // Placed by its corner, the menu keeps it through a new size; a title
  // adds its height below.
  menu.placeCentered(-100.f, 50.f);
  menu.setSize(60.f, 30.f);
  menu.setTitle("ab", 1, kGrey);
  menu.item(1)->x = 12.f;  // the cursor points at the item's own place
  const float corners[][2] = {{menu.cursorX(1), -88.f},       {menu.columnX(0.f), -100.f}, {menu.rowY(0.f), 50.f},
                              {menu.columnX(1.f), -40.f},  {menu.rowY(1.f), 0.f},
                              {menu.contentTop(), 30.f},   {menu.totalHeight(), 50.f}};
  for (const auto& [actual, expected] : corners) EXPECT_EQ(actual, expected);
}

// An item's right edge (x + width) or bottom (-y + height) as the size; the
// other side is left alone.
TEST_F(ListMenuTest, FittingToAnItemGrowsOrShrinksOneSide) {
  const struct {
    bool width, grow;
    float w, h;
  } cases[] = {{true, true, 80.f, 30.f}, {true, false, 30.f, 30.f}, {false, true, 50.f, 55.f}, {false, false, 50.f, 15.f}};
  Game::Widget::Text item;
  item.set("abc", kGrey, 1);  // 30 x 20
  for (const auto& c : cases) {
    menu.setPosition(0.f, 0.f);
    menu.setSize(50.f, 30.f);
    item.x = c.grow ? 50.f : 0.f;
    item.y = c.grow ? -35.f : 5.f;
    c.width ? menu.fitWidthToItem(item, c.grow) : menu.fitHeightToItem(item, c.grow);
    EXPECT_EQ(menu.width(), c.w) << c.width << c.grow;
    EXPECT_EQ(menu.height(), c.h) << c.width << c.grow;
  }
}

// All five items show: a page is five steps, cut at the end. Side keys page
// by default and step with side keys 1 (-1 leaves the setting, and a cursor
// of -1 is not looked at).
TEST_F(ListMenuTest, SingleStepsWrapAndPagesStopAtTheEnds) {
  menu.addText("not selectable", kGrey, 1);
  fill(5);
  open();
  const struct {
    Key key;
    int sideKeys;
    int cursor;
  } steps[] = {
      {Key::Up, -1, 5},     // up from the first selectable item wraps to the last
      {Key::Down, -1, 1},   // down from the last wraps to the first, skipping the text
      {Key::Down, -1, -1},  {kPageDown, -1, 5}, {kPageDown, -1, 5},  // a page at the end stays there
      {Key::Left, -1, 1},   {Key::Right, 1, 2}, {Key::Left, -1, 1},  {Key::Right, -1, -1}, {Key::Right, 0, 2},
  };
  for (const auto& step : steps) {
    if (step.sideKeys >= 0) menu.setSideKeys(step.sideKeys);
    frame({step.key});
    if (step.cursor >= 0) {
      EXPECT_EQ(menu.cursor(), step.cursor) << &step - steps;
    }
  }
  // A panel too low for any row still pages by one.
  menu.setSize(100.f, 5.f);
  frame({kPageDown});
  EXPECT_EQ(menu.visibleSelectable(), 0);
  EXPECT_EQ(menu.cursor(), 3);
}

TEST_F(ListMenuTest, ThreeChoicesMarkTwiceThenDecide) {
  fill(4);
  menu.setMaxChoices(3);
  open();
  frame({kDecide});  // marks item 0
  frame({Key::Down});
  EXPECT_EQ(frame({kDecide}), ListMenu::kNothing);  // marks item 1
  EXPECT_EQ(press({kDecide}), ListMenu::kNothing) << "deciding a marked item unmarks it";
  EXPECT_EQ(menu.chosen(), Ids{0});
  EXPECT_EQ(press({kDecide}), ListMenu::kNothing);
  frame({Key::Down});
  press({Key::Down});
  EXPECT_EQ(frame({kDecide}), ListMenu::kDecided);
  EXPECT_EQ((Ids{menu.selectedId(0), menu.selectedId(1), menu.selectedId(2), menu.selectedId(3)}),
            (Ids{100, 101, 103, -1}));
  // A cancel takes the last mark back first.
  EXPECT_EQ(frame({kCancel}), ListMenu::kNothing);
  EXPECT_EQ(menu.chosen(), Ids{0});
  EXPECT_EQ(press({kCancel}), ListMenu::kNothing);
  EXPECT_EQ(press({kCancel}), ListMenu::kCancelled);
}

TEST_F(ListMenuTest, ItemsBelowThePanelScrollIntoViewWithinTheContent) {
  fill(10);
  menu.setVisibleRows(3);
  EXPECT_EQ(menu.height(), 60.f);
  open();
  for (int i = 0; i < 9; ++i) {
    frame({Key::Down});
    frame();
    EXPECT_TRUE(menu.isItemVisible(*menu.item(menu.cursor()))) << i;
  }
  EXPECT_EQ(menu.scroll(), 140.f);  // the last row at the panel's bottom
  // The cursor points at the item's place, scrolled, plus its own offset:
  // row 9 stands 180 down, 140 of it scrolled away.
  menu.item(9)->cursorOffsetX = 3.f;
  menu.item(9)->cursorOffsetY = -5.f;
  EXPECT_EQ(menu.cursorX(9) - menu.contentLeft(), 3.f);
  EXPECT_EQ(menu.cursorY(9) - menu.contentTop(), -45.f);
}

TEST_F(ListMenuTest, EmptyOrShortenedMenusNeverReadAMissingItem) {
  open();
  EXPECT_EQ(frame({kDecide}), ListMenu::kNothing);
  EXPECT_EQ(frame({Key::Down}), ListMenu::kNothing);
  EXPECT_EQ(frame({kCancel}), ListMenu::kCancelled);
  EXPECT_EQ(menu.selectedId(0), -1);
  // Shortened under a cursor on its third item to an item and a text, it
  // walks back to the item; to two items, it settles on the new last, and
  // down from there wraps to the first.
  for (const bool text : {true, false}) {
    menu.clear();
    fill(3);
    frame({Key::Down});
    press({Key::Down});
    ASSERT_EQ(menu.cursor(), 2);
    menu.clear();
    EXPECT_EQ(menu.visibleSelectable(), 0);
    fill(text ? 1 : 2);
    if (text) menu.addText("text", kGrey, 1);
    EXPECT_EQ(press({kDecide}), ListMenu::kDecided);
    EXPECT_EQ(menu.selectedId(0), text ? 100 : 101);
  }
  press({Key::Down});
  EXPECT_EQ(menu.cursor(), 0);
  // A page up reaches a selectable first item.
  fill(3);
  press({kPageDown});
  press({Key::Left});  // side keys page by default
  EXPECT_EQ(menu.cursor(), 0);
  // With nothing selectable no key moves the cursor, and an id finds no item: at 0.
  menu.clear();
  EXPECT_EQ(frame({kDecide}), ListMenu::kNothing);
  EXPECT_EQ(frame({Key::Up}), ListMenu::kNothing);
  EXPECT_EQ(menu.cursor(), 0);
  menu.addText("only text", kGrey, 1);
  EXPECT_EQ(frame({kDecide}), ListMenu::kNothing);
  EXPECT_EQ(menu.cursor(), 0);
  menu.setCursorById(100);
  EXPECT_EQ(menu.cursor(), 0);
}

// The key repeat (pinned with the key input) reaches the cursor: held for 36
// frames, down moves it on the 1st, the 32nd and the 36th.
TEST_F(ListMenuTest, AHeldKeyRepeats) {
  fill(10);
  open();
  for (int held = 1; held <= 36; ++held) frame({Key::Down});
  EXPECT_EQ(menu.cursor(), 3);
}

// Messages queue up as one-line grey menus at the centre and go one by one
// as decide is pressed.
TEST_F(ListMenuTest, AMessageStackShowsItsFirstUntilDecided) {
  Game::OwnedList<ListMenu> stack;
  EXPECT_EQ(Game::MenuStack::update(stack), 0);
  for (const char* text : {"one", "two"}) ListMenu::pushMessage(stack, text);
  const auto* first = static_cast<Game::Widget::Text*>(stack.front()->item(0));
  EXPECT_STREQ(first->text.c_str(), "one");
  EXPECT_EQ(first->color, kGrey);
  EXPECT_EQ(first->font, 1);
  EXPECT_EQ(stack.front()->columnX(0.5f), 0.f);
  step();
  EXPECT_EQ(Game::MenuStack::update(stack), 1);
  step({kDecide});
  EXPECT_EQ(Game::MenuStack::update(stack), 1);
  ASSERT_EQ(stack.count(), 1);
  EXPECT_STREQ(static_cast<Game::Widget::Text*>(stack.front()->item(0))->text.c_str(), "two");
  step();
  step({kDecide});
  EXPECT_EQ(Game::MenuStack::update(stack), 0);
  EXPECT_TRUE(stack.isEmpty());
}

TEST_F(ListMenuTest, YesNoWithoutCancelIgnoresTheCancelKey) {
  menu.setupYesNo("Continue?", nullptr, nullptr, false);
  EXPECT_STREQ(static_cast<Game::Widget::Text*>(menu.item(1))->text.c_str(), "はい");
  for (const int i : {1, 2}) {
    EXPECT_EQ(static_cast<Game::Widget::Text*>(menu.item(i))->font, 2) << i;
  }
  open();
  EXPECT_EQ(yesNo(kDecide), 1);
  EXPECT_EQ(yesNo(kCancel), 0);
  yesNo(Key::Down);
  EXPECT_EQ(yesNo(kDecide), 2);
  EXPECT_EQ(menu.cursor(), 1) << "a result puts the cursor back on yes";
  menu.setupYesNo("Again?", "ok", "no", true);
  EXPECT_EQ(yesNo(kCancel), 2);
}

}  // namespace
