#include <gtest/gtest.h>

#include "core/map/MapBuildQueue.h"

namespace {

class CountedMap final : public Game::SteppedBuild {
 public:
  explicit CountedMap(int steps = 1) : mStepsLeft(steps) {}
  bool buildStep() override {
    ++mStepsRun;
    return --mStepsLeft <= 0;
  }
  int mStepsLeft, mStepsRun = 0;
};

class MapBuildQueueTest : public testing::Test {
 protected:
  void SetUp() override { Game::MapBuildQueue::create(); }
  void TearDown() override { Game::MapBuildQueue::destroy(); }
  Game::MapBuildQueue& queue() { return *Game::MapBuildQueue::instance(); }
};

TEST_F(MapBuildQueueTest, MapsAreBuiltOneStepAFrameInTurn) {
  CountedMap first(2);
  CountedMap second(1);
  queue().add(&first);
  queue().add(&second);
  queue().add(&first);
  EXPECT_EQ(queue().count(), 2);
  queue().update();
  EXPECT_EQ(first.mStepsRun, 1);
  EXPECT_EQ(second.mStepsRun, 0);
  queue().update();
  EXPECT_FALSE(queue().contains(&first));
  queue().update();
  EXPECT_EQ(second.mStepsRun, 1);
  EXPECT_EQ(queue().count(), 0);
  queue().update();  // an empty queue does nothing
}

TEST_F(MapBuildQueueTest, AMapDestroyedHalfBuiltLeavesTheQueue) {
  CountedMap kept(5);
  {
    CountedMap dropped(5);
    queue().add(&dropped);
    queue().add(&kept);
    queue().update();
  }
  EXPECT_EQ(queue().count(), 1);
  queue().update();
  EXPECT_EQ(kept.mStepsRun, 1);
}

}  // namespace
