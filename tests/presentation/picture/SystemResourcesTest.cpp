#include "presentation/picture/SystemResources.h"

#include <gtest/gtest.h>

#include <string>

#include "presentation/model/ModelTestSupport.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {
namespace {

using Engine::Math::Vector3;

// The system pictures over small files: digit models that last 60 frames,
// as the sample ones do, and a pool of a scene's size.
class SpawnNumberTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    std::string numbers;
    for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "miss"}) {
      numbers += std::string("model{name ") + name + ";time 60;batch{name d" + name + ";rect 0,0,2,2;}}";
    }
    fs().put("src/system/number.txt", numbers);
    for (const char* file : {"wall", "cursor", "frame", "rect", "gauge", "systemsound"}) {
      fs().put(std::string("src/system/") + file + ".txt", "");
    }
    SceneRenderer::create(800, 600);
    SystemResources::create();
  }
  void TearDown() override {
    pool.reset();
    SystemResources::destroy();
    SceneRenderer::destroy();
    ModelTest::TearDown();
  }

  void spawn(int value, bool critical, int row = 1) {
    SystemResources::instance()->spawnNumber(*pool, value, kWhere, Color(0xFFFF8000u), critical, row);
  }
  static Model* digit(int value) { return SystemResources::instance()->numbers().digit(value); }

  const Vector3 kWhere{100.f, -50.f, 30.f};
  std::unique_ptr<SceneNodePool> pool = std::make_unique<SceneNodePool>(SceneNodePool::kSceneCapacity);
};

TEST_F(SpawnNumberTest, ACriticalNumberIsCentredLargerAndShownDigitByDigit) {
  spawn(120, true);
  ASSERT_EQ(pool->activeCount(), 3);
  // Ones first, from slot 512: spacing truncate(0.375 x 40) = 15 about the
  // position; the leading digit 0.1 larger; each further digit 4 frames later.
  const struct {
    int digit;
    float x, scale;
    float time;
  } expected[] = {{0, 15.f, 0.375f, 0.f}, {2, 0.f, 0.375f, -4.f}, {1, -15.f, 0.475f, -8.f}};
  for (int i = 0; i < 3; ++i) {
    const SceneNode& node = pool->node(512 + i);
    SCOPED_TRACE(i);
    ASSERT_TRUE(node.isActive());
    EXPECT_EQ(node.getModel(), digit(expected[i].digit));
    EXPECT_FLOAT_EQ(node.position.x.value(), expected[i].x);
    EXPECT_FLOAT_EQ(node.scale.x.value(), expected[i].scale);
    EXPECT_FLOAT_EQ(node.getTime(), expected[i].time);
    EXPECT_NEAR(node.ambient.y.value(), 128.f / 255.f, 1e-6f);
    EXPECT_NEAR(node.baseState.transform(2, 3) * 400.f, kWhere.z, 1e-3f);
  }
}

TEST_F(SpawnNumberTest, ZeroShowsNothingANegativeValueMissAndOneDigitStandsOnThePosition) {
  spawn(0, false);
  EXPECT_EQ(pool->activeCount(), 0);
  spawn(-1, false);
  ASSERT_EQ(pool->activeCount(), 1);
  const SceneNode& miss = pool->node(0);
  EXPECT_EQ(miss.getModel(), SystemResources::instance()->numbers().miss());
  for (const float axis : {miss.scale.x.value(), miss.scale.y.value(), miss.scale.z.value()}) {
    EXPECT_FLOAT_EQ(axis, 0.25f);
  }
  EXPECT_TRUE(miss.baseState.billboard);
  spawn(7, false);  // at the leading size
  const SceneNode& node = pool->node(512);
  EXPECT_EQ(node.getModel(), digit(7));
  EXPECT_FLOAT_EQ(node.position.x.value(), 0.f);
  EXPECT_FLOAT_EQ(node.scale.x.value(), 0.35f);
}

// Each row springs about 33 units higher and stops there; the digits leave
// the pool when their models have played their 60 frames.
TEST_F(SpawnNumberTest, NumbersRiseByTheirRowAndLeaveThePool) {
  spawn(35, false, 0);
  spawn(35, false, 2);
  for (int step = 0; step < 40; ++step) pool->update();
  EXPECT_NEAR(pool->node(512).position.y.value(), 0.f, 1e-3f);
  EXPECT_NEAR(pool->node(514).position.y.value(), 2.f * 20.f / 0.6f, 0.01f);
  for (int step = 40; step < 60 + 4; ++step) {
    EXPECT_EQ(pool->activeCount(), step < 60 ? 4 : 2) << step;
    pool->update();
  }
  EXPECT_EQ(pool->activeCount(), 0);
}

}  // namespace
}  // namespace Game
