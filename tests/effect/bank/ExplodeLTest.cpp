// The large explosion and the thunderbolt.

#include <gtest/gtest.h>

#include <cmath>

#include "core/math/MathHelper.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Thunderbolt.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;

class ExplodeLTest : public EffectTestSupport::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    putBank("爆発大", "model{ name ring; time 8; }\nmodel{ name fire; time 8; }\n");
    putBank("落雷");
    putBank("地上衝撃波");
    putBank("電気粒子");
    fs().put("src/sound/爆発大.txt", "src/sound{ boom boom; }\n");
  }
};

// 96 sparks of "fire" flying level at 3..7, damped 0.99, starting within
// 16 frames; 4 rings of "ring" 32 apart at speeds 2/(i + 1); an orange
// light 4 up for 32 updates; sound entry 0 at once.
TEST_F(ExplodeLTest, TheLargeExplosionThrowsSparksRingsLightAndSound) {
  Game::Effect::Bank::ExplodeL explode;
  const Vector3 p(10.f, 20.f, 30.f);
  const auto nodes = launched([&] { explode.launch(stage.pool, p); });
  ASSERT_EQ(nodes.size(), 96u + 4u + 1u);
  float slowest = 10.f;
  float fastest = 0.f;
  float latest = 0.f;
  for (std::size_t i = 0; i < 96; ++i) {
    const SceneNode& spark = *nodes[i];
    EXPECT_EQ(modelName(spark), "fire");
    const Vector3 v = velocity(spark);
    EXPECT_EQ(v.z, 0.f);
    slowest = std::min(slowest, v.length());
    fastest = std::max(fastest, v.length());
    EXPECT_FLOAT_EQ(spark.position.x.damping(), 0.99f);
    EXPECT_LE(spark.getTime(), 0.f);
    EXPECT_GT(spark.getTime(), -16.f);
    latest = std::min(latest, spark.getTime());
  }
  EXPECT_GE(slowest, 3.f - 1e-4f);
  EXPECT_LT(fastest, 7.f);
  EXPECT_LT(slowest, 4.f);
  EXPECT_GT(fastest, 6.f);
  EXPECT_LT(latest, -12.f);
  for (int i = 0; i < 4; ++i) {
    const SceneNode& ring = *nodes[96 + static_cast<std::size_t>(i)];
    EXPECT_EQ(modelName(ring), "ring");
    EXPECT_FLOAT_EQ(ring.position.z.value(), 30.f + 32.f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(ring.getSpeed(), 2.f / static_cast<float>(i + 1));
  }
  const SceneNode& light = *nodes[100];
  EXPECT_TRUE(light.hasLight());
  EXPECT_FLOAT_EQ(light.lightRange(), 2.f);
  EXPECT_EQ(light.getLifetime(), 32);
  EXPECT_FLOAT_EQ(light.lightColor().y, 0.5f);
  EXPECT_EQ(light.lightColor().z, 0.f);
  EXPECT_FLOAT_EQ(light.position.z.value(), 34.f);
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].key, "boom");
  EXPECT_EQ(stage.sounds[0].index, 0);
  EXPECT_EQ(stage.sounds[0].delay, 0);
  EXPECT_TRUE(stage.failures.empty());
}

TEST_F(ExplodeLTest, AtAUnitsFrontItRises32) {
  Game::Unit& unit = makeUnit(1, 2, 3);
  Vector3 front;
  unit.getFrontPoint(front);
  Game::Effect::Bank::ExplodeL explode;
  const auto nodes = launched([&] { explode.launchAtFront(unit); });
  ASSERT_EQ(nodes.size(), 101u);
  EXPECT_FLOAT_EQ(nodes[96]->position.z.value(), front.z + 32.f);
  EXPECT_FLOAT_EQ(nodes[96]->position.x.value(), front.x);
}

// Twelve bolts 3·√i out, aimed at 512 above, i/3 frames late; then the
// shock wave, 32 sparks rising at pitch 20 and a white light 32 up.
TEST_F(ExplodeLTest, AThunderboltStrikesTwelveBolts) {
  Game::Effect::Bank::Thunderbolt bolt;
  const Vector3 p(-30.f, 40.f, 0.f);
  const auto nodes = launched([&] { bolt.launch(stage.pool, p); });
  ASSERT_EQ(nodes.size(), 12u + 1u + 32u + 1u);
  for (int i = 0; i < 12; ++i) {
    const SceneNode& node = *nodes[static_cast<std::size_t>(i)];
    EXPECT_FLOAT_EQ(node.getTime(), -static_cast<float>(i) / 3.f);
    EXPECT_NEAR(flatDistance(node.position.value(), p), 3.f * std::sqrt(static_cast<float>(i)), 1e-3f);
    EXPECT_EQ(node.position.z.value(), 0.f);
    Vector3 aimed;
    Game::MathHelper::rotateByAngles(&aimed, Vector3(0.f, 0.f, 1.f), node.rotation.x.value(),
                                     node.rotation.y.value(), 0.f);
    Vector3 toTop = difference(Vector3(p.x, p.y, 512.f), node.position.value());
    toTop.normalize();
    EXPECT_LT(distance(aimed, toTop), 1e-4f);
  }
  EXPECT_LT(distance(nodes[12]->position.value(), p), 1e-4f);
  for (std::size_t i = 13; i < 45; ++i) {
    const Vector3 v = velocity(*nodes[i]);
    EXPECT_NEAR(v.length(), 16.f, 1e-3f);
    EXPECT_NEAR(v.z, 16.f * std::sin(20.f * 3.14159265f / 180.f), 1e-2f);
  }
  const SceneNode& light = *nodes[45];
  EXPECT_FLOAT_EQ(light.lightRange(), 3.f);
  EXPECT_EQ(light.getLifetime(), 16);
  EXPECT_EQ(light.lightColor().y, 1.f);
  EXPECT_FLOAT_EQ(light.position.z.value(), 32.f);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
