#include <gtest/gtest.h>

#include "effect/bank/Hits.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Kind = Game::Effect::ActionRecord::ResultKind;

// A miss on a slime, a hit on Kessa.
class HitsTest : public EffectTestSupport::BankTest {
 protected:
  void SetUp() override {
    BankTest::SetUp();
    caster = &makeUnit(0, 0, 2);
    slime = &makeUnit(1, 0, 1, "Slime");
    kessa = &makeUnit(1, 1, 2);
    action = &makeAction(*caster, {{slime, Kind::kMiss}, {kessa, Kind::kDamage}});
  }

  Game::Unit* caster = nullptr;
  Game::Unit* slime = nullptr;
  Game::Unit* kessa = nullptr;
  EffectTestSupport::RecordingAction* action = nullptr;
};

// Circles and waves go on hit targets only (the wave after its delay);
// shot hits play model 0.
TEST_F(HitsTest, HitMarksGoOnHitTargetsOnly) {
  Game::Effect::Bank::HitCircleL circle;
  const std::string onKessa = "main at " + text(positionOf(*kessa)) + " scale 1,1,1 time ";
  EXPECT_EQ(describeAll(launched([&] { circle.spawnOnTargets(*action); })), std::vector<std::string>{onKessa + "0"});
  Game::Effect::Bank::WaveHit wave;
  EXPECT_EQ(describeAll(launched([&] { wave.spawnOnTargets(*action, 12.f); })),
            std::vector<std::string>{onKessa + "-12"});
  Game::Effect::Bank::ShotHit shot;
  EXPECT_EQ(describeAll(launched([&] { shot.spawnOnTargets(*action); })), std::vector<std::string>{onKessa + "0"});
  EXPECT_EQ(modelName(*shot.launch(stage.pool, Vector3(0.f, 0.f, 0.f))), "main");
}

// Three cuts at one point, each turned about z alone, scaled size/256;
// 256 on a unit.
TEST_F(HitsTest, CrossingCutsTurnEachItsOwnWay) {
  Game::Effect::Bank::SlashHit2 cuts;
  const auto nodes = launched([&] { cuts.launch(stage.pool, Vector3(1.f, 2.f, 3.f), 128.f); });
  ASSERT_EQ(nodes.size(), 3u);
  for (SceneNode* node : nodes) {
    const std::string turn = " turn 0,0," + number(node->rotation.z.value());
    EXPECT_EQ(describe(*node), "main at 1,2,3" + turn + " scale 0.5,0.5,0.5 time 0");
  }
  EXPECT_NE(nodes[0]->rotation.z.value(), nodes[1]->rotation.z.value());
  const auto onTargets = launched([&] { cuts.launchOnTargets(*action); });
  ASSERT_EQ(onTargets.size(), 6u);
  EXPECT_LT(distance(onTargets[0]->position.value(), positionOf(*slime)), 1e-3f);
  EXPECT_FLOAT_EQ(onTargets[0]->scale.x.value(), 1.f);
}

struct SlashSize {
  const char* picture;
  float scale;
};

// Models 0, 1 and 2 share one rotation in [−180, 180) on each axis; a unit
// smaller than 256 gets 256; every target gets its three.
TEST_F(HitsTest, TheSlashHitTakesAtLeastTheSizeOfAUnit) {
  Game::Effect::Bank::SlashHit slash;
  for (const SlashSize& size : {SlashSize{"Small", 1.f}, SlashSize{"Slime", 1.f}, SlashSize{"Kessa", 1.f},
                                SlashSize{"Large", 400.f / 256.f}}) {
    Game::Unit& unit = makeUnit(0, 2, 4, size.picture);
    const auto nodes = launched([&] { slash.launchAt(unit); });
    ASSERT_EQ(nodes.size(), 3u);
    const std::string at = " at " + pose(*nodes[0]);
    EXPECT_EQ(describeAll(nodes), (std::vector<std::string>{"main" + at + " time 0", "second" + at + " time 0",
                                                             "third" + at + " time 0"}));
    EXPECT_FLOAT_EQ(nodes[0]->scale.x.value(), size.scale) << size.picture;
    stage.pool.releaseAll();
  }
  for (int i = 0; i < 24; ++i) {
    const auto nodes = launched([&] { slash.launch(stage.pool, Vector3(0.f, 0.f, 0.f), 256.f); });
    for (float angle : {nodes[0]->rotation.x.value(), nodes[0]->rotation.y.value(), nodes[0]->rotation.z.value()}) {
      EXPECT_GE(angle, -180.f);
      EXPECT_LT(angle, 180.f);
    }
  }
  const auto onTargets = launched([&] { slash.launchOnTargets(*action); });
  ASSERT_EQ(onTargets.size(), 6u);
  EXPECT_LT(distance(onTargets[0]->position.value(), positionOf(*slime)), 1e-3f);
  EXPECT_LT(distance(onTargets[3]->position.value(), positionOf(*kessa)), 1e-3f);
}

// Eight bursts within size/2, four frames apart, scaled size/256; on a unit
// its own size.
TEST_F(HitsTest, MagicBurstsSpreadOverHalfTheirSize) {
  Game::Effect::Bank::MagicExplode magic;
  const Vector3 p(5.f, 5.f, 5.f);
  const auto nodes = launched([&] { magic.launch(stage.pool, p, 128.f); });
  ASSERT_EQ(nodes.size(), 8u);
  std::vector<float> reach;
  for (std::size_t i = 0; i < 8; ++i) {
    reach.push_back(distance(nodes[i]->position.value(), p));
    const std::string wait = std::to_string(-4 * static_cast<int>(i));
    EXPECT_EQ(text(nodes[i]->scale.value()) + " " + number(nodes[i]->getTime()), "0.5,0.5,0.5 " + wait);
  }
  EXPECT_EQ(spread(reach, 0.f, 64.f, 64.f, 16.f), "ok");
  const auto onTargets = launched([&] { magic.launchOnTargets(*action); });
  ASSERT_EQ(onTargets.size(), 16u);
  EXPECT_FLOAT_EQ(onTargets[0]->scale.x.value(), 0.75f);
  EXPECT_LT(distance(onTargets[0]->position.value(), positionOf(*slime)), 96.f);
  EXPECT_EQ(launched([&] { magic.launchAt(*kessa); }).size(), 8u);
}

TEST_F(HitsTest, ARippleIsScaledBySize) {
  Game::Effect::Bank::Ripple ripple;
  EXPECT_EQ(describe(*ripple.launch(stage.pool, Vector3(0.f, 1.f, 0.f), 64.f)),
            "main at 0,1,0 scale 0.25,0.25,0.25 time 0");
}

// Four shards on every target, flying at up to 12 times its scale, damped
// 0.9, after the delay.
TEST_F(HitsTest, SmallExplosionsThrowFourShardsOnEveryTarget) {
  Game::Effect::Bank::ExplodeS explode;
  const auto nodes = launched([&] { explode.burstOnTargets(*action, 6.f); });
  ASSERT_EQ(nodes.size(), 8u);
  std::vector<float> speeds[2];  // the slime's (scale 3/4), Kessa's
  for (std::size_t i = 0; i < 8; ++i) {
    speeds[i / 4].push_back(velocity(*nodes[i]).length());
    EXPECT_EQ(number(nodes[i]->position.y.damping()) + " " + number(nodes[i]->getTime()), "0.9 -6");
  }
  EXPECT_EQ(spread(speeds[0], 0.f, 9.f, 9.f, 0.f) + " " + spread(speeds[1], 0.f, 12.f, 12.f, 3.f), "ok ok");
  EXPECT_LT(distance(nodes[0]->position.value(), positionOf(*slime)), 1e-3f);
  EXPECT_FLOAT_EQ(nodes[0]->scale.x.value(), 0.75f);
}

// Pieces without their files make model-less nodes and report each lookup.
TEST_F(HitsTest, MissingModelsAreReportedNotFatal) {
  fs().remove("src/picture/animation/bank/斬撃ヒット.txt");
  Game::Effect::Bank::SlashHit slash;
  const auto nodes = launched([&] { slash.launchAt(*kessa); });
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_EQ(nodes[2]->getModel(), nullptr);
  ASSERT_EQ(stage.failures.size(), 3u);
  EXPECT_EQ(stage.failures[2], "model src/picture/animation/bank/斬撃ヒット.txt: 2");
  stage.failures.clear();
}

}  // namespace
