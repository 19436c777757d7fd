// The list of launched nodes and their ages: removal releases the node
// unless its slot went to another node meanwhile.

#include "effect/TimedNodeList.h"

#include <gtest/gtest.h>

#include "presentation/scene/SceneNodePool.h"

namespace {

using Game::SceneNode;

TEST(TimedNodeListTest, EntriesAgeTogetherAndRemovalReleasesOnlyTheNodeAdded) {
  Game::SceneNodePool pool(4);
  Game::Effect::TimedNodeList list;
  SceneNode* first = pool.create(nullptr);
  SceneNode* second = pool.create(nullptr);
  list.add(first);
  list.ageAll();
  list.add(second);
  list.ageAll();
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.age(0), 2);
  EXPECT_EQ(list.age(1), 1);

  // The first node ends by itself and its slot goes to a stranger.
  first->release();
  SceneNode* stranger = pool.create(nullptr);
  ASSERT_EQ(stranger, first);
  EXPECT_EQ(list.node(0), nullptr);
  EXPECT_EQ(list.node(1), second);
  list.remove(0);
  EXPECT_TRUE(stranger->isActive());
  ASSERT_EQ(list.count(), 1);
  EXPECT_EQ(list.node(0), second);
  EXPECT_EQ(list.age(0), 1);

  list.add(stranger);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_FALSE(second->isActive());
  EXPECT_FALSE(stranger->isActive());
}

}  // namespace
