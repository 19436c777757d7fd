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

class ExplodeLTest : public EffectTestSupport::BankTest {
 protected:
  // "range R colour r,g,b for F at x,y,z" of a lit node; "unlit" for another.
  static std::string light(const SceneNode& node) {
    return node.hasLight() ? "range " + number(node.lightRange()) + " colour " + text(node.lightColor()) + " for " +
                                 std::to_string(node.getLifetime()) + " at " + text(node.position.value())
                           : "unlit";
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
  std::vector<float> speeds;
  std::vector<float> waits;
  for (std::size_t i = 0; i < 96; ++i) {
    const SceneNode& spark = *nodes[i];
    EXPECT_EQ(modelName(spark) + " " + number(velocity(spark).z) + " " + number(spark.position.x.damping()),
              "fire 0 0.99");
    speeds.push_back(velocity(spark).length());
    waits.push_back(-spark.getTime());
  }
  EXPECT_EQ(spread(speeds, 3.f, 7.f, 4.f, 6.f), "ok");
  EXPECT_EQ(spread(waits, 0.f, 16.f, 16.f, 12.f), "ok");
  const char* kRings[] = {"ring at 10,20,30 scale 1,1,1 time 0 speed 2", "ring at 10,20,62 scale 1,1,1 time 0 speed 1",
                          "ring at 10,20,94 scale 1,1,1 time 0 speed 0.67",
                          "ring at 10,20,126 scale 1,1,1 time 0 speed 0.5"};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(describe(*nodes[96 + i]) + " speed " + number(nodes[96 + i]->getSpeed()), kRings[i]);
  }
  EXPECT_EQ(light(*nodes[100]), "range 2 colour 1,0.5,0 for 32 at 10,20,34");
  EXPECT_EQ(stage.soundList(), "boom:0+0");
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
  EXPECT_EQ(light(*nodes[45]), "range 3 colour 1,1,1 for 16 at -30,40,32");
}

}  // namespace
