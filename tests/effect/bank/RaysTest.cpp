// Beams, waves, pillars, the fang, speed lines and the pull.

#include <gtest/gtest.h>

#include <cmath>

#include "effect/bank/Rays.h"
#include "presentation/render/Color.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;

using RaysTest = EffectTestSupport::BankTest;

// n − 16 lines (none for 16 or fewer), line i a frame late, 400 out along
// its own angle and turned to it.
TEST_F(RaysTest, SpeedLinesLeaveOutTheFirstSixteen) {
  Game::Effect::Bank::SpeedLines lines;
  EXPECT_TRUE(launched([&] { lines.radiate(stage.pool, 16); }).empty());
  EXPECT_TRUE(launched([&] { lines.radiate(stage.pool, 0); }).empty());
  EXPECT_TRUE(launched([&] { lines.scatter(stage.pool, 30.f, 16); }).empty());
  EXPECT_EQ(launched([&] { lines.radiate(stage.pool, 17); }).size(), 1u);
  const auto radiated = launched([&] { lines.radiate(stage.pool, 32); });
  ASSERT_EQ(radiated.size(), 16u);
  for (std::size_t i = 0; i < radiated.size(); ++i) {
    const SceneNode& node = *radiated[i];
    EXPECT_FLOAT_EQ(node.getTime(), -static_cast<float>(i));
    const float angle = node.rotation.z.value();
    EXPECT_EQ(spread({angle}, 0.f, 360.f, 360.f, -1.f), "ok");
    const float radians = angle * 3.14159265f / 180.f;
    EXPECT_EQ(text(node.position.value()), text(Vector3(400.f * std::cos(radians), 400.f * std::sin(radians), 0.f)));
  }
  const auto scattered = launched([&] { lines.scatter(stage.pool, 30.f, 32); });
  ASSERT_EQ(scattered.size(), 16u);
  std::vector<float> across;
  for (std::size_t i = 0; i < scattered.size(); ++i) {
    const Vector3 p = scattered[i]->position.value();
    across.push_back(std::abs(p.x));
    EXPECT_LE(std::abs(p.y), 300.f);
    EXPECT_EQ(number(p.z) + " " + number(scattered[i]->rotation.z.value()), "0 30");
    EXPECT_FLOAT_EQ(scattered[i]->getTime(), -static_cast<float>(i));
  }
  EXPECT_EQ(spread(across, 0.f, 400.01f, 400.f, 300.f), "ok");
}

// A beam aims at its point (pitch and yaw) and rolls at random about z.
TEST_F(RaysTest, ABeamAimsAtItsPoint) {
  Game::Effect::Bank::Beam beam;
  SceneNode* node = beam.launch(stage.pool, Vector3(0.f, 0.f, 0.f), Vector3(100.f, 0.f, 0.f));
  EXPECT_EQ(modelName(*node) + " " + number(node->rotation.x.value()) + "," + number(node->rotation.y.value()),
            "main 0,90");
  SceneNode* other = beam.launch(stage.pool, Vector3(0.f, 0.f, 0.f), Vector3(100.f, 0.f, 0.f));
  EXPECT_NE(node->rotation.z.value(), other->rotation.z.value());
}

TEST_F(RaysTest, ARainbowWaveIsColouredAndScaledBySizeOver128) {
  Game::Effect::Bank::RainbowWave wave;
  SceneNode* node = wave.launch(stage.pool, Vector3(0.f, 0.f, 2.f), Game::Color(0.5f, 1.f, 0.25f, 0.f), 64.f);
  EXPECT_EQ(describe(*node) + " colour " + text(node->ambient.value()) + " " + number(node->transparency.value()),
            "main at 0,0,2 scale 0.5,0.5,0.5 time 0 colour 1,0.25,0 0.5");
  Game::Effect::Bank::FirePillar pillar;
  EXPECT_EQ(pillar.launch(stage.pool, Vector3(0.f, 0.f, 0.f))->position.z.value(), 0.f);
}

// The fang at one unit turned toward the other, with its sound entry 0 at
// once; the pull on a unit at scale 1.
TEST_F(RaysTest, TheFangBitesTowardItsTargetWithItsSound) {
  Game::Unit& biter = makeUnit(0, 0, 2, "Slime");
  Game::Unit& bitten = makeUnit(1, 0, 2);
  Game::Effect::Bank::Fang fang;
  SceneNode* node = fang.launch(biter, bitten);
  ASSERT_NE(node, nullptr);
  const Vector3 from = positionOf(biter);
  const Vector3 to = positionOf(bitten);
  EXPECT_LT(distance(node->position.value(), from), 1e-3f);
  EXPECT_NEAR(node->rotation.z.value(), std::atan2(to.y - from.y, to.x - from.x) * 180.f / 3.14159265f, 1e-3f);
  EXPECT_EQ(stage.soundList(), "main:0+0");
  Game::Effect::Bank::Suction suction;
  SceneNode* pull = suction.launchAt(biter);
  ASSERT_NE(pull, nullptr);
  EXPECT_EQ(describe(*pull, false), "main at " + text(from) + " scale 1,1,1 time 0");
}

// Without its sound list the fang still bites and reports an entry it lacks.
TEST_F(RaysTest, AFangWithoutSoundsReportsTheMissingEntry) {
  fs().remove("src/sound/牙.txt");
  Game::Unit& biter = makeUnit(0, 0, 2);
  Game::Effect::Bank::Fang fang;
  EXPECT_NE(fang.launch(biter, biter), nullptr);
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].index, -1);
  stage.failures.clear();
}

}  // namespace
