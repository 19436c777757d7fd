#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "effect/bank/Emitter.h"
#include "effect/bank/ReviveEmitter.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Game::Effect::Bank::Emitter;

class EmitterTest : public EffectTestSupport::ModuleTest {
 protected:
  Emitter emitter;
};

// None for a size of no finite count; a huge one fills the pool once.
TEST_F(EmitterTest, ADustRingCountsTheWholePartOfSizeOver16Plus16) {
  const struct {
    float size;
    std::size_t puffs;
  } kCases[] = {{0.f, 16u},    {15.f, 16u},   {16.f, 17u},   {192.f, 28u},   {256.f, 32u},
                {-8.f, 15u},   {-240.f, 1u},  {-241.f, 0u},  {-256.f, 0u},   {-1000.f, 0u},
                {std::numeric_limits<float>::quiet_NaN(), 0u},  {40.f, 18u}};
  for (const auto& ring : kCases) {
    stage.pool.releaseAll();
    emitter.dustRing(stage.pool, Vector3(0.f, 0.f, 0.f), ring.size);
    EXPECT_EQ(stage.pool.activeCount(), static_cast<int>(ring.puffs)) << ring.size;
  }
  // Size 40 (the last): 18 puffs, 20 degrees apart, on radius 20.
  EXPECT_EQ(text(nodesOf(common("土煙"))[9]->position.value()), "-20,0,0");
  Game::SceneNodePool small(32);
  emitter.dustRing(small, Vector3(0.f, 0.f, 0.f), 1e30f);
  EXPECT_EQ(small.activeCount(), 32);
  small.releaseAll();
  emitter.dustRing(small, Vector3(0.f, 0.f, 0.f), std::numeric_limits<float>::infinity());
  EXPECT_EQ(small.activeCount(), 32);
}

TEST_F(EmitterTest, AUnitWithoutABattlePoolRaisesNoDustAndNoWings) {
  Game::Unit& unit = makeUnit(0, 1, 2);
  battle.pool = nullptr;
  emitter.dustRingAtFront(unit);
  emitter.reviveWings(stage, unit);
  EXPECT_TRUE(nodesOf(common("土煙")).empty());
  EXPECT_TRUE(nodesOf(common("炎")).empty());
  // The sound is the battle's, not the pool's.
  EXPECT_EQ(stage.count("battleSoundStart リヴァイヴァ 0"), 1);
}

TEST_F(EmitterTest, RevivalWingsAre48FlameBurstsInEightRowsFourFramesApartThenTheSound) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));  // size 256: half size 128
  emitter.reviveWings(stage, unit);
  const std::vector<SceneNode*> flames = nodesOf(common("炎"));
  ASSERT_EQ(flames.size(), 288u);  // 8 rows x 2 wings x 3 bursts x 6 flames
  EXPECT_EQ(stage.calls, std::vector<std::string>{"battleSoundStart リヴァイヴァ 0"});
  // Row 4 (t = 1/2) starts at flame 4·36 = 144: the first wing's bursts
  // along (−0.75, 3, 1.5)·128 to (−0.75, 3, 0.25)·128 from the centre at
  // (0, 0, 128), then the second wing's with y negated.
  const struct {
    float y, z;
  } kBursts[] = {{384.f, 320.f}, {384.f, 240.f}, {384.f, 160.f}, {-384.f, 320.f}, {-384.f, 240.f}, {-384.f, 160.f}};
  for (int burst = 0; burst < 6; ++burst) {
    for (int i = 0; i < 6; ++i) {
      const SceneNode& flame = *flames[static_cast<std::size_t>(144 + burst * 6 + i)];
      EXPECT_LT(flatDistance(flame.position.value(), Vector3(-96.f, kBursts[burst].y, 0.f)), 16.f) << burst;
      EXPECT_FLOAT_EQ(flame.position.value().z, kBursts[burst].z) << burst;
      EXPECT_FLOAT_EQ(flame.getTime(), -(16.f + 2.f * static_cast<float>(i))) << burst;
    }
  }
  // Row 0 (t = 0) is every burst a quarter size behind the centre; row 7
  // waits 28 frames.
  EXPECT_LT(flatDistance(flames[0]->position.value(), Vector3(-64.f, 0.f, 0.f)), 16.f);
  EXPECT_FLOAT_EQ(flames[35]->position.value().z, 128.f);
  EXPECT_FLOAT_EQ(flames[287]->getTime(), -38.f);
}

// The battle's part of a shown unit: the unit tells its battle of the pose,
// and only a revival grows the wings with their sound.
TEST_F(EmitterTest, OnlyARevivedUnitGrowsWings) {
  Game::Unit& unit = makeUnit(1, 0, 2);
  for (Game::UnitPose pose : {Game::UnitPose::kStand, Game::UnitPose::kDown, Game::UnitPose::kAppear}) {
    EXPECT_TRUE(launched([&] { Game::Effect::Bank::drawPose(stage, unit, pose); }).empty());
  }
  EXPECT_TRUE(stage.calls.empty());
  const auto nodes = launched([&] {
    unit.show(Game::UnitPose::kRevive);
    for (Game::UnitPose pose : battle.poses) {
      Game::Effect::Bank::drawPose(stage, unit, pose);
    }
  });
  EXPECT_EQ(nodes.size(), 288u);
  EXPECT_EQ(stage.count("battleSoundStart リヴァイヴァ 0"), 1);
}

TEST_F(EmitterTest, ListsWithoutAMainLaunchNothingAndSaySo) {
  fs().put("src/picture/animation/common/炎.txt", "model{ name other; time 20; }\n");
  fs().put("src/picture/animation/common/土煙.txt", "");
  emitter.flameBurst(stage.pool, Vector3(0.f, 0.f, 0.f), 0);
  emitter.dustRing(stage.pool, Vector3(0.f, 0.f, 0.f), 64.f);
  EXPECT_EQ(stage.pool.activeCount(), 0);
  EXPECT_TRUE(logged("\"炎\" has no model \"main\""));
  EXPECT_TRUE(logged("\"土煙\" has no model \"main\""));
}

}  // namespace
