#include "presentation/widget/RingMenu.h"

#include "presentation/render/RenderState.h"
#include "presentation/widget/KeyScript.h"

namespace {

using Game::RingMenu;
using Platform::Key;

class RingMenuTest : public WidgetTest::KeyScript {};

TEST_F(RingMenuTest, TheOpeningTakesNoKeysWhileTheRingGrowsAndUnwinds) {
  RingMenu ring(10.f, 100.f);
  for (int id = 0; id < 4; ++id) ring.addItem(10 + id, nullptr);
  EXPECT_EQ(ring.radius().value(), -1000.f);
  EXPECT_EQ(ring.spin().value(), 360.f);
  for (int i = 0; i < 19; ++i) {
    step({i % 2 ? Key::Right : kDecide});
    EXPECT_EQ(ring.update(), 0) << i;
  }
  EXPECT_EQ(ring.cursor(), 0);
  step({});
  ring.update();
  EXPECT_FLOAT_EQ(ring.radius().value(), 100.f);
  EXPECT_FLOAT_EQ(ring.spin().value(), 0.f);
  step({kDecide});
  EXPECT_EQ(ring.update(), 1);
  EXPECT_EQ(ring.selectedItem(), 10);
}

TEST_F(RingMenuTest, LeftFromTheFirstOfFourSelectsTheLast) {
  RingMenu ring(10.f, 100.f);
  for (int id = 0; id < 4; ++id) ring.addItem(10 + id, nullptr);
  ring.finishOpening();
  step({Key::Left});
  EXPECT_EQ(ring.update(), 0);
  EXPECT_EQ(ring.cursor(), -1);
  EXPECT_FLOAT_EQ(ring.rotation().target(), 90.f);
  EXPECT_EQ(ring.selectedItem(), 13);
  step({kCancel});
  EXPECT_EQ(ring.update(), 2);
}

TEST_F(RingMenuTest, UnknownIdsAndEmptyRingsAreHarmless) {
  RingMenu ring(10.f, 100.f);
  EXPECT_EQ(ring.selectedItem(), -1);
  ring.setCursor(3);  // no step to divide by
  ring.draw(Game::RenderState(), 0.f);
  ring.finishOpening();
  step({Key::Right});
  EXPECT_EQ(ring.update(), 0);
  for (int id = 0; id < 3; ++id) ring.addItem(id, nullptr);
  ring.setCursorById(42);
  EXPECT_EQ(ring.cursor(), 3);
  EXPECT_EQ(ring.selectedItem(), 0);
  EXPECT_FLOAT_EQ(ring.rotation().target(), -360.f);
  EXPECT_EQ(ring.findItem(2)->id, 2);
  EXPECT_EQ(ring.findItem(5), nullptr);
}

}  // namespace
