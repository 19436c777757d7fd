// Motes, dizzy stars, cross lights, charges, glows, icicles and the
// converging eye.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "effect/bank/Auras.h"
#include "effect/bank/Holder.h"
#include "effect/bank/Icicle.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Kind = Game::Effect::ActionRecord::ResultKind;

using AurasTest = EffectTestSupport::BankTest;

// n/2 motes parented to the unit (position only), at its feet within half
// its size, two frames apart; none for n = 1.
TEST_F(AurasTest, RisingMotesStartAtTheUnitsFeet) {
  Game::Unit& unit = makeUnit(0, 1, 2, "Slime");
  Game::Effect::Bank::RisingParticle motes;
  EXPECT_TRUE(launched([&] { motes.launchOn(unit, 1); }).empty());
  EXPECT_TRUE(launched([&] { motes.launchOn(unit, 0); }).empty());
  EXPECT_EQ(launched([&] { motes.launchOn(unit, 3); }).size(), 1u);
  const auto nodes = launched([&] { motes.launchOn(unit, 7); });
  ASSERT_EQ(nodes.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const Vector3 p = nodes[i]->position.value();
    EXPECT_EQ(nodes[i]->parent(), unit.node());
    EXPECT_FLOAT_EQ(p.z, -96.f);
    EXPECT_LT(std::hypot(p.x, p.y), 96.f);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -2.f * static_cast<float>(i));
  }
  Game::Unit& other = makeUnit(1, 1, 2);
  auto& action = makeAction(unit, {{&other, Kind::kMiss}, {&unit, Kind::kDamage}});
  const auto both = launched([&] { motes.launchOnTargets(action, 4); });
  ASSERT_EQ(both.size(), 4u);
  EXPECT_EQ(both[0]->parent(), other.node());
  EXPECT_FLOAT_EQ(both[0]->position.z.value(), -128.f);
}

// Eight stars parented to the unit at its scale, turned at random, two
// frames apart.
TEST_F(AurasTest, DizzyStarsCircleTheUnit) {
  Game::Unit& unit = makeUnit(0, 1, 2, "Slime");
  Game::Effect::Bank::Dizzy dizzy;
  const auto nodes = launched([&] { dizzy.launchOn(unit); });
  ASSERT_EQ(nodes.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(nodes[i]->parent(), unit.node());
    EXPECT_FLOAT_EQ(nodes[i]->scale.x.value(), 0.75f);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -2.f * static_cast<float>(i));
    EXPECT_EQ(nodes[i]->position.value().length(), 0.f);
  }
  EXPECT_NE(nodes[0]->rotation.x.value(), nodes[1]->rotation.x.value());
  auto& action = makeAction(unit, {{&unit, Kind::kMiss}, {&unit, Kind::kMiss}});
  EXPECT_EQ(launched([&] { dizzy.launchOnTargets(action); }).size(), 16u);
}

// Eight white crosses within half the unit's size, twice its scale, six
// frames apart.
TEST_F(AurasTest, CrossLightsSparkleAboutTheUnit) {
  Game::Unit& unit = makeUnit(0, 1, 2, "Slime");
  Game::Effect::Bank::CrossLightS light;
  const auto nodes = launched([&] { light.launchOn(unit); });
  ASSERT_EQ(nodes.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(nodes[i]->parent(), unit.node());
    EXPECT_LT(nodes[i]->position.value().length(), 96.f);
    EXPECT_FLOAT_EQ(nodes[i]->scale.y.value(), 1.5f);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -6.f * static_cast<float>(i));
    EXPECT_EQ(nodes[i]->ambient.value().x, 1.f);
    EXPECT_EQ(nodes[i]->ambient.value().z, 1.f);
  }
  EXPECT_EQ(modelName(*light.launch(stage.pool, Vector3(0.f, 0.f, 0.f))), "main");
}

// Spinning rings: 8 parented, scale (1 + [0, 0.5))·size/256, two frames
// apart. Aura streaks: 16, only z scaled (1 + [0, 0.5))·size/128, the
// unit's three times its size.
TEST_F(AurasTest, ChargesGrowAboutTheirNode) {
  Game::Unit& unit = makeUnit(0, 1, 2);
  Game::Effect::Bank::SpinCharge spin;
  const auto rings = launched([&] { spin.launchOn(unit); });
  ASSERT_EQ(rings.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(rings[i]->parent(), unit.node());
    const float s = rings[i]->scale.x.value();
    EXPECT_EQ(spread({s}, 1.f, 1.5f, 2.f, 0.f) + " " + text(rings[i]->scale.value()), "ok " + text(Vector3(s, s, s)));
    EXPECT_FLOAT_EQ(rings[i]->getTime(), -2.f * static_cast<float>(i));
  }
  Game::Effect::Bank::ChargeAura aura;
  const auto streaks = launched([&] { aura.launchOn(unit); });
  ASSERT_EQ(streaks.size(), 16u);
  std::vector<float> heights;
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(number(streaks[i]->scale.x.value()) + "," + number(streaks[i]->scale.y.value()), "1,1");
    heights.push_back(streaks[i]->scale.z.value());
    EXPECT_FLOAT_EQ(streaks[i]->getTime(), -2.f * static_cast<float>(i));
  }
  EXPECT_EQ(spread(heights, 6.f, 9.f, 9.f, 7.f), "ok");
}

// Sixteen glows a frame apart, scale (1 + [0, 0.5))·size/128; free at a
// point or parented at offset 0.
TEST_F(AurasTest, GlowsGrowAtAPointOrOnANode) {
  Game::Effect::Bank::Glow glow;
  const auto free = launched([&] { glow.launchAt(stage.pool, Vector3(4.f, 5.f, 6.f), 64.f); });
  ASSERT_EQ(free.size(), 16u);
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(free[i]->parent(), nullptr);
    EXPECT_EQ(free[i]->position.z.value(), 6.f);
    EXPECT_EQ(spread({free[i]->scale.x.value()}, 0.5f, 0.75f, 1.f, 0.f), "ok");
    EXPECT_FLOAT_EQ(free[i]->getTime(), -static_cast<float>(i));
  }
  Game::Unit& unit = makeUnit(0, 1, 2, "Slime");
  const auto held = launched([&] { glow.launchOn(unit); });
  ASSERT_EQ(held.size(), 16u);
  EXPECT_EQ(held[3]->parent(), unit.node());
  EXPECT_EQ(held[3]->position.value().length(), 0.f);
  EXPECT_EQ(spread({held[3]->scale.x.value()}, 1.5f, 2.25f, 3.f, 0.f), "ok");
}

// A unit without a node, or whose battle keeps no pool, gets nothing
// parented to it but glows, which live in the pool of the node they follow.
TEST_F(AurasTest, UnitsWithoutANodeOrAPoolGetNothing) {
  Game::Unit& bare = makeUnit(0, 1, 2);
  bare.releaseSceneNode();
  Game::Unit& placed = makeUnit(1, 1, 2);
  Game::Effect::Bank::RisingParticle motes;
  Game::Effect::Bank::Dizzy dizzy;
  Game::Effect::Bank::CrossLightS light;
  Game::Effect::Bank::SpinCharge spin;
  Game::Effect::Bank::ChargeAura aura;
  Game::Effect::Bank::Glow glow;
  const auto everything = [&](const Game::Unit& unit) {
    motes.launchOn(unit, 8);
    dizzy.launchOn(unit);
    light.launchOn(unit);
    spin.launchOn(unit);
    aura.launchOn(unit);
    glow.launchOn(unit);
  };
  EXPECT_TRUE(launched([&] { everything(bare); }).empty());
  // The glow takes the pool of the node it follows.
  battle.pool = nullptr;
  EXPECT_EQ(launched([&] { everything(placed); }).size(), 16u);
}

// A spike scaled on z alone; a field of n within the radius, shorter toward
// its edge, two frames apart after the delay.
TEST_F(AurasTest, IciclesStandShorterTowardTheEdge) {
  Game::Effect::Bank::Icicle icicle;
  EXPECT_EQ(text(icicle.launch(stage.pool, Vector3(0.f, 0.f, 0.f), 512.f)->scale.value()), "1,1,2");
  const Vector3 centre(50.f, 60.f, 0.f);
  const auto nodes = launched([&] { icicle.field(stage.pool, centre, 256.f, 100.f, 6, 10.f); });
  ASSERT_EQ(nodes.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    const float d = distance(nodes[i]->position.value(), centre);
    EXPECT_LT(d, 100.f);
    EXPECT_NEAR(nodes[i]->scale.z.value(), 1.f - d / 200.f, 1e-4f);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -(2.f * static_cast<float>(i) + 10.f));
  }
  const auto undelayed = launched([&] { icicle.field(stage.pool, centre, 256.f, 100.f, 2); });
  EXPECT_FLOAT_EQ(undelayed[1]->getTime(), -2.f);
}

// 128 motes of "main" closing in (within size·(128 − i)/128), aimed along
// target → caster, i/2 frames late; then "finish" on the target aimed at
// the caster, 64 late.
TEST_F(AurasTest, TheEyeConvergesOnItsTarget) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 0, 2, "Slime");
  const Vector3 from = positionOf(caster);
  const Vector3 centre = positionOf(target);
  Game::Effect::Bank::Holder holder("src/picture/animation/視線.txt");
  const auto nodes = launched([&] { holder.converge(caster, target); });
  ASSERT_EQ(nodes.size(), 129u);
  const Vector3 along = difference(from, centre);
  const float yaw = std::atan2(along.x, along.z) * 180.f / 3.14159265f;
  float first = 0.f;
  for (int i = 0; i < 128; ++i) {
    const SceneNode& node = *nodes[static_cast<std::size_t>(i)];
    EXPECT_EQ(modelName(node), "main");
    const float d = distance(node.position.value(), centre);
    EXPECT_LT(d, 192.f * static_cast<float>(128 - i) / 128.f + 1e-3f);
    if (i < 8) {
      first = std::max(first, d);
    }
    EXPECT_EQ(node.getTime(), -static_cast<float>(i / 2));
    EXPECT_NEAR(node.rotation.y.value(), yaw, 1e-3f);
  }
  EXPECT_GT(first, 48.f);
  // At the target's scale.
  EXPECT_EQ(describe(*nodes[128]),
            "finish at " + text(centre) + " turn 0," + number(yaw) + ",0 scale 0.75,0.75,0.75 time -64");
}

}  // namespace
