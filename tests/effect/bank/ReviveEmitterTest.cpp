#include <gtest/gtest.h>

#include "effect/bank/ReviveEmitter.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Game::UnitPose;

class ReviveEmitterTest : public EffectTestSupport::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    fs().put("src/picture/animation/common/炎.txt", "model{ name main; time 20; }\n");
  }
};

// Eight rows of two wings of three bursts: 48 bursts of 6 flames, rows four
// frames apart; then the battle's "リヴァイヴァ" starts.
TEST_F(ReviveEmitterTest, RevivalDrawsTwoWingsOfFlameAndItsSound) {
  Game::Unit& unit = makeUnit(0, 1, 2);
  Game::Effect::Bank::ReviveEmitter revive;
  const auto nodes = launched([&] { revive.launchOn(stage, unit); });
  ASSERT_EQ(nodes.size(), 48u * 6u);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(modelName(*nodes[i]), "main");
    const std::size_t row = i / 36;
    const std::size_t flame = i % 6;
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -static_cast<float>(4 * row + 2 * flame));
  }
  EXPECT_EQ(stage.count("battleSoundStart リヴァイヴァ 0"), 1);
}

// The battle's part of a shown unit: wings for a revival, nothing else.
TEST_F(ReviveEmitterTest, OnlyARevivedUnitGrowsWings) {
  Game::Unit& unit = makeUnit(1, 0, 2);
  for (UnitPose pose : {UnitPose::kStand, UnitPose::kDown, UnitPose::kAppear}) {
    EXPECT_TRUE(launched([&] { Game::Effect::Bank::drawPose(stage, unit, pose); }).empty());
  }
  EXPECT_TRUE(stage.calls.empty());
  EXPECT_EQ(launched([&] { Game::Effect::Bank::drawPose(stage, unit, UnitPose::kRevive); }).size(), 288u);
  EXPECT_EQ(stage.count("battleSoundStart リヴァイヴァ 0"), 1);
}

// The unit tells its battle of the pose; the battle draws the wings.
TEST_F(ReviveEmitterTest, AUnitShownRevivedDrawsWingsThroughTheHook) {
  Game::Unit& unit = makeUnit(0, 1, 1);
  const auto nodes = launched([&] {
    unit.show(UnitPose::kRevive);
    for (UnitPose pose : battle.poses) {
      Game::Effect::Bank::drawPose(stage, unit, pose);
    }
  });
  EXPECT_EQ(nodes.size(), 288u);
}

}  // namespace
