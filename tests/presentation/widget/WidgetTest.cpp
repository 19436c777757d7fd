#include "presentation/widget/Widget.h"

#include <string>
#include <vector>

#include "presentation/ui/SmoothPoint.h"
#include "presentation/widget/KeyScript.h"
#include "presentation/widget/ListMenu.h"

namespace {

using Strings = std::vector<std::string>;

// Writes where it was drawn into a shared log.
class Probe : public Game::Widget::Widget {
 public:
  Probe(Strings& log, const char* name, float px, float py) : mLog(log), mName(name) {
    x = px;
    y = py;
  }
  bool isDecided() override { return false; }
  void draw(float ox, float oy, Engine::u8) override {
    mLog.push_back(mName + "@" + std::to_string(static_cast<int>(x + ox)) + "," + std::to_string(static_cast<int>(y + oy)));
  }

 private:
  Strings& mLog;
  std::string mName;
};

TEST(WidgetTreeTest, ChildrenDrawAfterTheirParentOffsetByAllTheirAncestors) {
  Strings log;
  Probe root(log, "root", 10.f, 20.f);
  auto* child = new Probe(log, "child", 1.f, -2.f);
  child->children.pushBack(new Probe(log, "grandchild", 100.f, 200.f));
  root.children.pushBack(child);
  root.children.pushBack(new Probe(log, "second", 5.f, 5.f));
  root.drawTree(1000.f, 2000.f);
  EXPECT_EQ(log, (Strings{"root@1010,2020", "child@1011,2018", "grandchild@1111,2218", "second@1015,2025"}));
}

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

}  // namespace
