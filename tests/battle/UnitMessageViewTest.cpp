#include "battle/UnitMessageView.h"

#include <gtest/gtest.h>

#include <vector>

#include "live/Unit.h"
#include "presentation/model/Model.h"
#include "presentation/scene/SceneNodePool.h"
#include "tests/live/unit/TestGhost.h"

namespace {

using Engine::i32;

Game::Model gPicture;
Game::Model* picture(i32 state) { return state == 4 ? &gPicture : nullptr; }

// A party unit at row 1, column 2 without a node: its front point is its
// cell's point (128, 32, 0).
class UnitMessageViewTest : public ::testing::Test {
 protected:
  UnitMessageViewTest() { unit.setCell(1, 2); }

  std::vector<const Game::SceneNode*> active() const {
    std::vector<const Game::SceneNode*> out;
    for (i32 i = 0; i < pool.capacity(); ++i) {
      if (pool.node(i).isActive()) out.push_back(&pool.node(i));
    }
    return out;
  }
  // A node's world point, from its base transform (world units / 400).
  static float worldZ(const Game::SceneNode& node) { return node.baseState.transform(2, 3) * 400.f; }
  static float worldX(const Game::SceneNode& node) { return node.baseState.transform(0, 3) * 400.f; }

  UnitTestSupport::TestGhost ghost;
  Game::Unit unit{ghost};
  Game::SceneNodePool pool{Game::SceneNodePool::kSceneCapacity};
};

// A state's pictures pop up count times from the front point, 32 apart; a
// state without a picture shows nothing.
TEST_F(UnitMessageViewTest, AStatesPicturesStackThirtyTwoApart) {
  Game::UnitMessageView view(pool, unit, picture);
  Game::UnitStuff::Message message;
  message.kind = Game::UnitStuff::Message::Kind::kState;
  message.count = 3;
  message.state = 5;
  view.show(message);
  EXPECT_TRUE(active().empty());
  message.state = 4;
  view.show(message);
  const std::vector<const Game::SceneNode*> nodes = active();
  ASSERT_EQ(nodes.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(nodes[i]->getModel(), &gPicture);
    EXPECT_NEAR(worldX(*nodes[i]), 128.f, 1e-3f);
    EXPECT_NEAR(worldZ(*nodes[i]), 32.f * static_cast<float>(i), 1e-3f);
    EXPECT_TRUE(nodes[i]->baseState.billboard);
  }
}

}  // namespace
