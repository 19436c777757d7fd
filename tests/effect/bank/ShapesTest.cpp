// The blasts, rings, waves, ground glows, blows, cuts and sprites.

#include <gtest/gtest.h>

#include <cmath>

#include "effect/bank/Beat.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Sprite.h"
#include "effect/bank/Waves.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Kind = Game::Effect::ActionRecord::ResultKind;

using ShapesTest = EffectTestSupport::BankTest;

struct Scatter {
  float radius;
  std::size_t blasts;
};

// n = radius²/32² whole (at least 1) blasts of size 32 on the ground about
// the centre, nearer than radius/2, delayed a quarter of their distance.
TEST_F(ShapesTest, ScatteredBlastsCoverTheirCircle) {
  Game::Effect::Bank::ExplodeRed explode;
  const Vector3 centre(100.f, -50.f, 10.f);
  for (const Scatter& scatter : {Scatter{20.f, 1}, Scatter{31.f, 1}, Scatter{32.f, 1}, Scatter{64.f, 4},
                                 Scatter{100.f, 9}, Scatter{0.f, 1}}) {
    SCOPED_TRACE(scatter.radius);
    const auto nodes = launched([&] { explode.scatter(stage.pool, centre, scatter.radius); });
    ASSERT_EQ(nodes.size(), scatter.blasts);
    for (SceneNode* node : nodes) {
      const float d = distance(node->position.value(), centre);
      EXPECT_LE(d, scatter.radius / 2.f);
      EXPECT_NEAR(node->position.z.value(), 10.f, 1e-4f);
      EXPECT_NEAR(node->getTime(), -d / 4.f, 1e-4f);
      EXPECT_FLOAT_EQ(node->scale.x.value(), 0.5f);
    }
    if (scatter.radius >= 64.f) {
      EXPECT_GT(distance(nodes[0]->position.value(), centre), 0.f);
    }
    stage.pool.releaseAll();
  }
}

TEST_F(ShapesTest, RingsAndShockWavesPlayMainAtTheirPoint) {
  Game::Effect::Bank::RingA ring;
  EXPECT_EQ(describe(*ring.launch(stage.pool, Vector3(4.f, 5.f, 6.f))), "main at 4,5,6 scale 1,1,1 time 0");
  Game::Effect::Bank::ShockWave wave;
  EXPECT_EQ(describe(*wave.launch(stage.pool, Vector3(0.f, 0.f, 0.f))), "main at 0,0,0 scale 1,1,1 time 0");
  Game::Unit& unit = makeUnit(1, 1, 2);
  SceneNode* atFront = wave.launchAtFront(unit);
  ASSERT_NE(atFront, nullptr);
  EXPECT_EQ(text(atFront->position.value()), text(feetOf(unit)));
}

// duration/8 glows on the ground, 8 frames apart, scaled size/256; none
// below 8 frames.
TEST_F(ShapesTest, GroundGlowsLastEightFramesEach) {
  Game::Effect::Bank::GroundEmissionBlue glow;
  EXPECT_TRUE(launched([&] { glow.launch(stage.pool, Vector3(0.f, 0.f, 9.f), 128.f, 7); }).empty());
  EXPECT_TRUE(launched([&] { glow.launch(stage.pool, Vector3(0.f, 0.f, 9.f), 128.f, 0); }).empty());
  const auto nodes = launched([&] { glow.launch(stage.pool, Vector3(3.f, 4.f, 9.f), 128.f, 31); });
  EXPECT_EQ(describeAll(nodes, false), (std::vector<std::string>{"main at 3,4,0 scale 0.5,0.5,0.5 time 0",
                                                           "main at 3,4,0 scale 0.5,0.5,0.5 time -8",
                                                           "main at 3,4,0 scale 0.5,0.5,0.5 time -16"}));
  EXPECT_EQ(launched([&] { glow.launch(stage.pool, Vector3(0.f, 0.f, 0.f), 64.f, 8); }).size(), 1u);
}

// Blows: scaled size/256; along a line four at from + offset·i/3 within 16,
// a frame apart, size 64; on a unit size 96 at its position.
TEST_F(ShapesTest, BlowsLandAlongTheirLine) {
  Game::Effect::Bank::Beat1 beat;
  EXPECT_EQ(describe(*beat.launch(stage.pool, Vector3(0.f, 0.f, 0.f), 512.f)), "main at 0,0,0 scale 2,2,2 time 0");
  const Vector3 from(10.f, 20.f, 30.f);
  const Vector3 offset(90.f, -30.f, 60.f);
  const auto nodes = launched([&] { beat.launchAlong(stage.pool, from, offset); });
  ASSERT_EQ(nodes.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const float t = static_cast<float>(i) / 3.f;
    const Vector3 expected(10.f + 90.f * t, 20.f - 30.f * t, 30.f + 60.f * t);
    EXPECT_LT(distance(nodes[i]->position.value(), expected), 16.f);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -static_cast<float>(i));
    EXPECT_FLOAT_EQ(nodes[i]->scale.z.value(), 0.25f);
  }
  EXPECT_GT(distance(nodes[3]->position.value(), from), 100.f);
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& slime = makeUnit(1, 0, 1, "Slime");
  auto& action = makeAction(caster, {{&slime, Kind::kMiss}, {&caster, Kind::kDamage}});
  const auto marks = launched([&] { beat.launchOnTargets(action); });
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(describe(*marks[0]), "main at " + text(positionOf(slime)) + " scale 0.38,0.38,0.38 time 0");
}

// A cut faces the other unit about z, sized as the cutting unit.
TEST_F(ShapesTest, ACutFacesItsTarget) {
  Game::Effect::Bank::Blade blade;
  SceneNode* node = blade.launch(stage.pool, Vector3(0.f, 0.f, 0.f), 384.f, Vector3(0.f, 50.f, 80.f));
  EXPECT_EQ(describe(*node), "main at 0,0,0 turn 0,0,90 scale 1.5,1.5,1.5 time 0");
  Game::Unit& slime = makeUnit(0, 0, 2, "Slime");
  Game::Unit& kessa = makeUnit(1, 0, 2);
  const Vector3 from = positionOf(slime);
  const Vector3 to = positionOf(kessa);
  SceneNode* between = blade.launchBetween(slime, kessa);
  ASSERT_NE(between, nullptr);
  EXPECT_LT(distance(between->position.value(), from), 1e-3f);
  EXPECT_FLOAT_EQ(between->scale.x.value(), 0.75f);
  EXPECT_NEAR(between->rotation.z.value(), std::atan2(to.y - from.y, to.x - from.x) * 180.f / 3.14159265f, 1e-3f);
}

// The render state's transform is in matrix units: 400 world units each.
constexpr float kUnitsPerWorldUnit = 400.f;

// A sprite sits in its base state at p as a billboard, turned by the angle;
// between two units at the first one's scale; between one screen point and
// itself at angle 0.
TEST_F(ShapesTest, ASpriteIsABillboardPlacedThroughItsState) {
  Game::Effect::Bank::Knife knife;
  SceneNode* node = knife.launch(stage.pool, Vector3(7.f, 8.f, 9.f), 2.f, 30.f);
  EXPECT_EQ(describe(*node), "main at 0,0,0 turn 0,0,30 scale 2,2,2 time 0");
  EXPECT_TRUE(node->baseState.billboard);
  const auto& m = node->baseState.transform.m;
  const float k = kUnitsPerWorldUnit;
  EXPECT_EQ(text(Vector3(m[0][3] * k, m[1][3] * k, m[2][3] * k)), "7,8,9");
  SceneNode* same = knife.launchBetween(stage.pool, Vector3(5.f, 5.f, 5.f), Vector3(5.f, 5.f, 5.f), 1.f);
  EXPECT_EQ(same->rotation.z.value(), 0.f);
  SceneNode* up = knife.launchBetween(stage.pool, Vector3(5.f, 5.f, 5.f), Vector3(5.f, 9.f, 5.f), 1.f);
  EXPECT_FLOAT_EQ(up->rotation.z.value(), 90.f);
  Game::Unit& slime = makeUnit(0, 0, 2, "Slime");
  Game::Unit& kessa = makeUnit(1, 0, 2);
  SceneNode* between = knife.launchBetween(slime, kessa);
  ASSERT_NE(between, nullptr);
  EXPECT_FLOAT_EQ(between->scale.x.value(), 0.75f);
}

}  // namespace
