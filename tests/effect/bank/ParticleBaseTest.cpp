#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/math/MathHelper.h"
#include "effect/bank/ParticleBase.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Game::Effect::Bank::BurstShape;
using Kind = Game::Effect::ActionRecord::ResultKind;

class ParticleBaseTest : public EffectTestSupport::BankTest {
 protected:
  // "accel x,y,z damp x,y,z at x,y,z scale x,y,z" of a particle.
  static std::string motion(const SceneNode& node) {
    const auto& p = node.position;
    return "accel " + text(Vector3(p.x.acceleration(), p.y.acceleration(), p.z.acceleration())) + " damp " +
           text(Vector3(p.x.damping(), p.y.damping(), p.z.damping())) + " at " + text(p.value()) + " scale " +
           text(node.scale.value());
  }
  // The direction a node was aimed along: its +z turned by its rotation x
  // and y.
  static Vector3 aimedAlong(const SceneNode& node) {
    Vector3 d;
    Game::MathHelper::rotateByAngles(&d, Vector3(0.f, 0.f, 1.f), node.rotation.x.value(), node.rotation.y.value(),
                                     0.f);
    return d;
  }
  static float degreesBetween(Vector3 a, Vector3 b) {
    a.normalize();
    b.normalize();
    const float cosine = std::clamp(a.x * b.x + a.y * b.y + a.z * b.z, -1.f, 1.f);
    return std::acos(cosine) * 180.f / 3.14159265f;
  }
};

// Every particle of a burst: at p, scaled, speed in range times the scale,
// gravity times the scale, the damping, delays step·i, white by default;
// pitch 90..0 keeps them off the ground.
TEST_F(ParticleBaseTest, ABurstThrowsCountParticlesInItsRanges) {
  Game::Effect::Bank::Particle particle;
  const BurstShape shape{5, 10.f, 4.f, -0.5f, 0.95f, 0.f, 0.f, 90.f, 0.f, 2.f};
  const Vector3 p(10.f, 20.f, 30.f);
  const auto nodes = launched([&] { particle.burst(stage.pool, 2.f, p, shape); });
  ASSERT_EQ(nodes.size(), 5u);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const SceneNode& node = *nodes[i];
    EXPECT_EQ(motion(node), "accel 0,0,-1 damp 0.95,0.95,0.95 at 10,20,30 scale 2,2,2");
    EXPECT_EQ(modelName(node) + " " + text(node.ambient.value()), "main 1,1,1");
    EXPECT_FLOAT_EQ(node.transparency.value(), 1.f);
    const float speed = velocity(node).length();
    EXPECT_GE(speed, 8.f - 1e-3f);
    EXPECT_LT(speed, 20.f);
    EXPECT_GE(velocity(node).z, -1e-3f);
    EXPECT_FLOAT_EQ(node.getTime(), -2.f * static_cast<float>(i));
  }
}

// A burst makes exactly its count, on either side of none.
TEST_F(ParticleBaseTest, ABurstMakesExactlyItsCount) {
  Game::Effect::Bank::Particle particle;
  BurstShape shape = Game::Effect::Bank::ParticleBase::kSpray;
  for (const int count : {0, 1}) {
    shape.count = count;
    const auto nodes = launched([&] { particle.burst(stage.pool, 1.f, Vector3(0.f, 0.f, 0.f), shape); });
    EXPECT_EQ(nodes.size(), static_cast<std::size_t>(count));
  }
}

// Star and ParticlePrism show pure hues: one channel full, one empty.
TEST_F(ParticleBaseTest, StarsAndPrismParticlesShowPureHues) {
  Game::Effect::Bank::Star star;
  Game::Effect::Bank::ParticlePrism prism;
  for (const Game::Effect::Bank::ParticleBase* piece :
       {static_cast<const Game::Effect::Bank::ParticleBase*>(&star), static_cast<const Game::Effect::Bank::ParticleBase*>(&prism)}) {
    const auto nodes = launched([&] { piece->spray(stage.pool, Vector3(0.f, 0.f, 0.f)); });
    ASSERT_EQ(nodes.size(), 64u);
    int coloured = 0;
    for (SceneNode* node : nodes) {
      const Vector3 c = node->ambient.value();
      EXPECT_FLOAT_EQ(std::max({c.x, c.y, c.z}), 1.f);
      EXPECT_NEAR(std::min({c.x, c.y, c.z}), 0.f, 1e-6f);
      coloured += c.x < 0.99f || c.y < 0.99f || c.z < 0.99f ? 1 : 0;
      EXPECT_FLOAT_EQ(node->transparency.value(), 1.f);
    }
    EXPECT_EQ(coloured, 64);
    stage.pool.releaseAll();
  }
}

// splash 90..0 throws upward only, spray 90..−90 both ways.
TEST_F(ParticleBaseTest, SplashesRiseAndSpraysGoBothWays) {
  Game::Effect::Bank::Particle particle;
  const auto splash = launched([&] { particle.splash(stage.pool, Vector3(0.f, 0.f, 0.f)); });
  int down = 0;
  for (SceneNode* node : splash) {
    down += velocity(*node).z < -1e-3f ? 1 : 0;
  }
  EXPECT_EQ(down, 0);
  const auto spray = launched([&] { particle.spray(stage.pool, Vector3(0.f, 0.f, 0.f)); });
  for (SceneNode* node : spray) {
    down += velocity(*node).z < -1e-3f ? 1 : 0;
  }
  EXPECT_GT(down, 10);
  EXPECT_LT(down, 54);
}

// gather: aimed within spread of to − from; ring: aimed along it; flatRing:
// along it brought level.
TEST_F(ParticleBaseTest, GatheringAndRingParticlesFaceTheirDirection) {
  Game::Effect::Bank::ChargeParticle charge;
  const Vector3 from(0.f, 0.f, 50.f);
  const Vector3 to(100.f, 0.f, 150.f);
  const auto gathered = launched([&] { charge.gather(stage.pool, from, to, 30.f); });
  ASSERT_EQ(gathered.size(), 64u);
  float widest = 0.f;
  for (SceneNode* node : gathered) {
    const float angle = degreesBetween(aimedAlong(*node), difference(to, from));
    EXPECT_LE(angle, 30.01f);
    widest = std::max(widest, angle);
  }
  EXPECT_GT(widest, 20.f);
  Game::Effect::Bank::RingParticle ring;
  for (SceneNode* node : launched([&] { ring.ring(stage.pool, from, to); })) {
    EXPECT_NEAR(degreesBetween(aimedAlong(*node), difference(to, from)), 0.f, 0.1f);
  }
  const auto flat = launched([&] { ring.flatRing(stage.pool, from, to); });
  ASSERT_EQ(flat.size(), 32u);
  for (SceneNode* node : flat) {
    EXPECT_NEAR(degreesBetween(aimedAlong(*node), Vector3(1.f, 0.f, 0.f)), 0.f, 0.1f);
  }
}

// Presets on units: at each target's position; the chill at the target's
// scale and downward, blood and smoke at scale 1 and upward; a unit's
// splash at its position.
TEST_F(ParticleBaseTest, TargetPresetsBurstAtEveryTarget) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& slime = makeUnit(1, 0, 1, "Slime");
  Game::Unit& kessa = makeUnit(1, 1, 2);
  auto& action = makeAction(caster, {{&slime, Kind::kMiss}, {&kessa, Kind::kDamage}});
  Game::Effect::Bank::Cold cold;
  const auto chill = launched([&] { cold.chillTargets(action); });
  ASSERT_EQ(chill.size(), 32u);
  for (std::size_t i = 0; i < 16; ++i) {
    const SceneNode& node = *chill[i];
    EXPECT_EQ(motion(node), "accel 0,0,0 damp 1,1,1 at " + text(positionOf(slime)) + " scale 0.75,0.75,0.75");
    EXPECT_GE(velocity(node).length(), 1.5f - 1e-3f);
    EXPECT_LT(velocity(node).length(), 3.f);
    EXPECT_LE(velocity(node).z, 1e-3f);
  }
  Game::Effect::Bank::Particle particle;
  for (auto spill : {&Game::Effect::Bank::ParticleBase::splatterTargets,
                     &Game::Effect::Bank::ParticleBase::smokeTargets}) {
    const auto nodes = launched([&] { (particle.*spill)(action); });
    ASSERT_EQ(nodes.size(), 32u);
    for (std::size_t i = 0; i < 32; ++i) {
      const Vector3 v = velocity(*nodes[i]);
      EXPECT_GE(v.length(), 1.f - 1e-3f);
      EXPECT_LT(v.length(), 2.f);
      EXPECT_GE(v.z, -1e-3f);
      // Sixteen at each target.
      const std::string at = text(positionOf(i < 16 ? slime : kessa));
      EXPECT_EQ(motion(*nodes[i]), "accel 0,0,0 damp 0.99,0.99,0.99 at " + at + " scale 1,1,1");
    }
  }
  for (auto atUnit : {&Game::Effect::Bank::ParticleBase::splashAt, &Game::Effect::Bank::ParticleBase::sprayAt,
                      &Game::Effect::Bank::ParticleBase::twinkleAt}) {
    const auto nodes = launched([&] { (particle.*atUnit)(kessa); });
    ASSERT_FALSE(nodes.empty());
    expectNear(nodes.back()->position.value(), positionOf(kessa));
  }
  EXPECT_EQ(launched([&] { particle.splashAt(caster); }).size(), 64u);
  EXPECT_EQ(launched([&] { particle.twinkleAt(caster); }).size(), 8u);
}

// Targets whose battle keeps no pool get no particles.
TEST_F(ParticleBaseTest, TargetsWithoutAPoolGetNoParticles) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& slime = makeUnit(1, 0, 1, "Slime");
  auto& action = makeAction(caster, {{&slime, Kind::kDamage}, {&caster, Kind::kMiss}});
  battle.pool = nullptr;
  Game::Effect::Bank::Cold cold;
  EXPECT_TRUE(launched([&] {
                cold.chillTargets(action);
                cold.splashAt(slime);
              }).empty());
}

// A set without its file gives model-less particles, each launch reported.
TEST_F(ParticleBaseTest, AMissingSetMakesModelLessParticlesAndReportsThem) {
  Game::Effect::Bank::ParticleBlue blue;
  const auto nodes = launched([&] { blue.twinkle(stage.pool, Vector3(0.f, 0.f, 0.f)); });
  ASSERT_EQ(nodes.size(), 8u);
  EXPECT_EQ(nodes[0]->getModel(), nullptr);
  EXPECT_EQ(stage.failures, std::vector<std::string>{"model src/picture/animation/bank/粒子青.txt: 0"});
  stage.failures.clear();
}

}  // namespace
