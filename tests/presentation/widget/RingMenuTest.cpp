#include "presentation/widget/RingMenu.h"

#include "presentation/render/RenderState.h"
#include "presentation/widget/KeyScript.h"

namespace {

using Game::RingMenu;
using Platform::Key;

class RingMenuTest : public WidgetTest::KeyScript {
 protected:
  // Items with ids 10, 11, ...
  void fill(int n) {
    for (int id = 0; id < n; ++id) ring.addItem(10 + id, nullptr);
  }
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

}  // namespace
