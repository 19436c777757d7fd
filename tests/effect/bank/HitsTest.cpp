#include <gtest/gtest.h>

#include "effect/bank/Hits.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Kind = Game::Effect::ActionRecord::ResultKind;

class HitsTest : public EffectTestSupport::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    for (const char* name : {"ヒット円大", "波ヒット", "射撃ヒット", "斬撃ヒット2", "斬撃ヒット", "魔法爆発", "波紋", "小爆発"}) {
      putBank(name);
    }
    caster = &makeUnit(0, 0, 2);
    slime = &makeUnit(1, 0, 1, "Slime");
    kessa = &makeUnit(1, 1, 2);
    action = &makeAction(*caster, {{slime, Kind::kMiss}, {kessa, Kind::kDamage}});
  }
  Vector3 at(const Game::Unit& unit) const {
    Vector3 p;
    unit.getPosition(p);
    return p;
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
  auto nodes = launched([&] { circle.spawnOnTargets(*action); });
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_LT(distance(nodes[0]->position.value(), at(*kessa)), 1e-3f);
  EXPECT_EQ(nodes[0]->getTime(), 0.f);
  EXPECT_EQ(modelName(*nodes[0]), "main");
  Game::Effect::Bank::WaveHit wave;
  nodes = launched([&] { wave.spawnOnTargets(*action, 12.f); });
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_FLOAT_EQ(nodes[0]->getTime(), -12.f);
  Game::Effect::Bank::ShotHit shot;
  nodes = launched([&] { shot.spawnOnTargets(*action); });
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(modelName(*nodes[0]), "main");
  EXPECT_EQ(modelName(*shot.launch(stage.pool, Vector3(0.f, 0.f, 0.f))), "main");
}

// Three cuts at one point, each turned about z alone, scaled size/256;
// 256 on a unit.
TEST_F(HitsTest, CrossingCutsTurnEachItsOwnWay) {
  Game::Effect::Bank::SlashHit2 cuts;
  const auto nodes = launched([&] { cuts.launch(stage.pool, Vector3(1.f, 2.f, 3.f), 128.f); });
  ASSERT_EQ(nodes.size(), 3u);
  for (SceneNode* node : nodes) {
    EXPECT_EQ(modelName(*node), "main");
    EXPECT_FLOAT_EQ(node->scale.x.value(), 0.5f);
    EXPECT_EQ(node->rotation.x.value(), 0.f);
  }
  EXPECT_NE(nodes[0]->rotation.z.value(), nodes[1]->rotation.z.value());
  const auto onTargets = launched([&] { cuts.launchOnTargets(*action); });
  ASSERT_EQ(onTargets.size(), 6u);
  EXPECT_LT(distance(onTargets[0]->position.value(), at(*slime)), 1e-3f);
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
    EXPECT_EQ(modelName(*nodes[0]), "main");
    EXPECT_EQ(modelName(*nodes[1]), "second");
    EXPECT_EQ(modelName(*nodes[2]), "third");
    for (SceneNode* node : nodes) {
      EXPECT_FLOAT_EQ(node->scale.x.value(), size.scale) << size.picture;
      EXPECT_EQ(node->rotation.value().x, nodes[0]->rotation.value().x);
      EXPECT_EQ(node->rotation.value().z, nodes[0]->rotation.value().z);
      for (float angle : {node->rotation.x.value(), node->rotation.y.value(), node->rotation.z.value()}) {
        EXPECT_GE(angle, -180.f);
        EXPECT_LT(angle, 180.f);
      }
    }
    stage.pool.releaseAll();
  }
  for (int i = 0; i < 20; ++i) {
    const auto nodes = launched([&] { slash.launch(stage.pool, Vector3(0.f, 0.f, 0.f), 256.f); });
    for (float angle : {nodes[0]->rotation.x.value(), nodes[0]->rotation.y.value(), nodes[0]->rotation.z.value()}) {
      EXPECT_GE(angle, -180.f);
      EXPECT_LT(angle, 180.f);
    }
  }
  const auto onTargets = launched([&] { slash.launchOnTargets(*action); });
  ASSERT_EQ(onTargets.size(), 6u);
  EXPECT_LT(distance(onTargets[0]->position.value(), at(*slime)), 1e-3f);
  EXPECT_LT(distance(onTargets[3]->position.value(), at(*kessa)), 1e-3f);
}

// Eight bursts within size/2, four frames apart, scaled size/256; on a unit
// its own size.
TEST_F(HitsTest, MagicBurstsSpreadOverHalfTheirSize) {
  Game::Effect::Bank::MagicExplode magic;
  const Vector3 p(5.f, 5.f, 5.f);
  const auto nodes = launched([&] { magic.launch(stage.pool, p, 128.f); });
  ASSERT_EQ(nodes.size(), 8u);
  float farthest = 0.f;
  for (std::size_t i = 0; i < 8; ++i) {
    const float d = distance(nodes[i]->position.value(), p);
    EXPECT_LT(d, 64.f);
    farthest = std::max(farthest, d);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -4.f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(nodes[i]->scale.x.value(), 0.5f);
  }
  EXPECT_GT(farthest, 16.f);
  const auto onTargets = launched([&] { magic.launchOnTargets(*action); });
  ASSERT_EQ(onTargets.size(), 16u);
  EXPECT_FLOAT_EQ(onTargets[0]->scale.x.value(), 0.75f);
  EXPECT_LT(distance(onTargets[0]->position.value(), at(*slime)), 96.f);
  EXPECT_EQ(launched([&] { magic.launchAt(*kessa); }).size(), 8u);
}

TEST_F(HitsTest, ARippleIsScaledBySize) {
  Game::Effect::Bank::Ripple ripple;
  SceneNode* node = ripple.launch(stage.pool, Vector3(0.f, 1.f, 0.f), 64.f);
  EXPECT_FLOAT_EQ(node->scale.z.value(), 0.25f);
  EXPECT_EQ(node->position.y.value(), 1.f);
}

// Four shards on every target, flying at up to 12 times its scale, damped
// 0.9, after the delay.
TEST_F(HitsTest, SmallExplosionsThrowFourShardsOnEveryTarget) {
  Game::Effect::Bank::ExplodeS explode;
  const auto nodes = launched([&] { explode.burstOnTargets(*action, 6.f); });
  ASSERT_EQ(nodes.size(), 8u);
  float fastest = 0.f;
  for (std::size_t i = 0; i < 8; ++i) {
    const float speed = velocity(*nodes[i]).length();
    EXPECT_LT(speed, i < 4 ? 9.f : 12.f);
    fastest = std::max(fastest, speed);
    EXPECT_FLOAT_EQ(nodes[i]->position.y.damping(), 0.9f);
    EXPECT_FLOAT_EQ(nodes[i]->getTime(), -6.f);
  }
  EXPECT_GT(fastest, 3.f);
  EXPECT_LT(distance(nodes[0]->position.value(), at(*slime)), 1e-3f);
  EXPECT_FLOAT_EQ(nodes[0]->scale.x.value(), 0.75f);
  EXPECT_TRUE(stage.failures.empty());
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
}

}  // namespace
