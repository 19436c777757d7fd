// The modules that move units: hops, moves and falls.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "live/Unit.h"
#include "effect/module/Fall.h"
#include "effect/module/Move.h"
#include "effect/module/Step.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Module::Fall;
using Game::Effect::Module::Module;
using Game::Effect::Module::Move;
using Game::Effect::Module::Step;

using UnitModulesTest = EffectTestSupport::ModuleTest;

// Step: hop 32, shift 64 over 4 frames; the rises are 32, 16, 0, -16, -32.
TEST_F(UnitModulesTest, AStepHopsOutAndBackWhileTheShiftTravelsShiftTimesFPlusOneOverF) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));  // centre at (0, 0, 128)
  Step step(unit, 32.f, 64.f, 4);
  const struct {
    float x, z;
  } kAfter[] = {{16.f, 160.f}, {32.f, 176.f}, {48.f, 176.f}, {64.f, 160.f}, {80.f, 128.f}};
  for (const auto& after : kAfter) {
    EXPECT_EQ(step.update(), Module::kHolding);
    const Vector3 centre = centreOf(unit);
    EXPECT_NEAR(centre.x, after.x, 1e-3f);
    EXPECT_NEAR(centre.y, 0.f, 1e-3f);
    EXPECT_NEAR(centre.z, after.z, 1e-3f);
  }
  EXPECT_EQ(step.update(), Module::kDone);
  EXPECT_NEAR(centreOf(unit).x, 80.f, 1e-3f);
}

TEST_F(UnitModulesTest, AStepGoesAlongTheUnitsOwnAxes) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  unit.node()->rotation.setValue(0.f, 0.f, 90.f);  // facing +y
  Step step(unit, 0.f, -30.f, 3);
  for (int i = 0; i < 4; ++i) {
    step.update();
  }
  EXPECT_NEAR(centreOf(unit).x, 0.f, 1e-3f);
  EXPECT_NEAR(centreOf(unit).y, -40.f, 1e-3f);
  EXPECT_NEAR(centreOf(unit).z, 128.f, 1e-3f);
}

TEST_F(UnitModulesTest, AStepOfNoFramesOrWithoutANodeStillEnds) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Step instant(unit, 32.f, 64.f, 0);  // taken as 1 frame: 2 moving updates
  EXPECT_EQ(instant.update(), Module::kHolding);
  EXPECT_EQ(instant.update(), Module::kHolding);
  EXPECT_EQ(instant.update(), Module::kDone);
  const Vector3 centre = centreOf(unit);
  EXPECT_TRUE(std::isfinite(centre.x) && std::isfinite(centre.z));
  EXPECT_NEAR(centre.x, 128.f, 1e-3f);
  EXPECT_NEAR(centre.z, 128.f, 1e-3f);

  unit.releaseSceneNode();
  Step unseen(unit, 32.f, 64.f, 1);
  EXPECT_EQ(unseen.update(), Module::kHolding);
  EXPECT_EQ(unseen.update(), Module::kHolding);
  EXPECT_EQ(unseen.update(), Module::kDone);
}

TEST_F(UnitModulesTest, AMoveAtHeightZeroRunsStraightAndPuffsDustOnEvenCountsOnTheGround) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Move move(unit, Vector3(100.f, 0.f, 0.f), 0.f, 4, false);
  const float kX[] = {25.f, 50.f, 75.f, 100.f};
  const std::size_t kPuffs[] = {0, 1, 1, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(move.update(), Module::kHolding);
    const Vector3 feet = feetOf(unit);
    EXPECT_NEAR(feet.x, kX[i], 1e-3f);
    EXPECT_NEAR(feet.y, 0.f, 1e-3f);
    EXPECT_NEAR(feet.z, 0.f, 1e-3f);
    EXPECT_EQ(nodesOf(common("土煙")).size(), kPuffs[i]) << "after update " << i + 1;
  }
  EXPECT_EQ(move.update(), Module::kDone);
  // Each puff within a quarter of the unit's size of the feet, at its scale.
  const std::vector<Game::SceneNode*> puffs = nodesOf(common("土煙"));
  EXPECT_LT(flatDistance(puffs[0]->position.value(), Vector3(50.f, 0.f, 0.f)), 64.f);
  EXPECT_LT(flatDistance(puffs[1]->position.value(), Vector3(100.f, 0.f, 0.f)), 64.f);
  EXPECT_FLOAT_EQ(puffs[0]->scale.value().x, 1.f);
}

TEST_F(UnitModulesTest, AMoveHopsToHeightHalfWayAndRaisesDustOnlyOnTheGround) {
  Game::Unit& slime = unitAt(Vector3(0.f, 0.f, 0.f), "Slime");
  Move move(slime, Vector3(100.f, 0.f, 0.f), 64.f, 4, false);
  const float kZ[] = {48.f, 64.f, 48.f, 0.f};
  for (float z : kZ) {
    move.update();
    EXPECT_NEAR(feetOf(slime).z, z, 1e-3f);
  }
  const std::vector<Game::SceneNode*> puffs = nodesOf(common("土煙"));
  ASSERT_EQ(puffs.size(), 1u);  // the second update was in the air
  EXPECT_FLOAT_EQ(puffs[0]->scale.value().z, 0.75f);
  EXPECT_LT(flatDistance(puffs[0]->position.value(), Vector3(100.f, 0.f, 0.f)), 48.f);
}

TEST_F(UnitModulesTest, AMoveStartsFromWhereTheFeetAreOnItsFirstUpdate) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Move move(unit, Vector3(100.f, 0.f, 0.f), 0.f, 2, false);
  unit.placeFrontAt(Vector3(-100.f, 0.f, 0.f));
  move.update();
  EXPECT_NEAR(feetOf(unit).x, 0.f, 1e-3f);
}

TEST_F(UnitModulesTest, AMoveToAUnitStopsShortByBothSizesTimesApproachOverTwoAndFacesIt) {
  Game::Unit& caster = unitAt(Vector3(0.f, 0.f, 0.f));                   // size 256
  Game::Unit& target = unitAt(Vector3(0.f, 400.f, 0.f), "Slime", 1);     // size 192
  Move move(caster, target, 0.f, 2, 1.f);
  move.update();
  EXPECT_NEAR(feetOf(caster).y, 88.f, 1e-3f);  // half way to 400 - 224
  // Facing +y: its own x axis points there.
  Vector3 ahead;
  caster.pointAlong(ahead, Vector3(1.f, 0.f, 0.f));
  const Vector3 centre = centreOf(caster);
  EXPECT_NEAR(ahead.x - centre.x, 0.f, 1e-3f);
  EXPECT_NEAR(ahead.y - centre.y, 128.f, 1e-3f);
  // The target moves on: followed.
  target.placeFrontAt(Vector3(0.f, 600.f, 0.f));
  move.update();
  EXPECT_NEAR(feetOf(caster).y, 376.f, 1e-3f);
  EXPECT_EQ(move.update(), Module::kDone);
}

TEST_F(UnitModulesTest, AMoveToAUnitStopsShortInProportionToTheApproach) {
  Game::Unit& caster = unitAt(Vector3(0.f, 0.f, 0.f));
  Game::Unit& target = unitAt(Vector3(0.f, -400.f, 0.f), "Slime", 1);
  Move halfWay(caster, target, 0.f, 1, 0.5f);
  halfWay.update();
  EXPECT_NEAR(feetOf(caster).y, -288.f, 1e-3f);  // 400 - 448 · 0.5 / 2
}

TEST_F(UnitModulesTest, AMoveToAUnitWhoseFeetAreTheStartGoesToThemWithoutAnOffset) {
  Game::Unit& caster = unitAt(Vector3(50.f, 0.f, 0.f));
  Game::Unit& target = unitAt(Vector3(50.f, 0.f, 0.f), "Slime", 1);
  Move move(caster, target, 0.f, 1, 1.f);
  move.update();
  const Vector3 feet = feetOf(caster);
  EXPECT_TRUE(std::isfinite(feet.x) && std::isfinite(feet.y) && std::isfinite(feet.z));
  EXPECT_NEAR(feet.x, 50.f, 1e-3f);
  EXPECT_NEAR(feet.y, 0.f, 1e-3f);
  EXPECT_EQ(move.update(), Module::kDone);
}

TEST_F(UnitModulesTest, AMoveHomeGoesToTheUnitsCellAndAMoveToACellToItsSpotOnTheMiddleLine) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Vector3 home;
  unit.getHomePosition(home);
  Move back(unit, 0.f, 1);
  back.update();
  EXPECT_NEAR(feetOf(unit).x, home.x, 1e-3f);
  EXPECT_NEAR(feetOf(unit).y, home.y, 1e-3f);

  EffectTestSupport::RecordingAction& action = makeAction(unit, {});
  action.aim = Vector3(300.f, 50.f, 0.f);
  Move toCell(unit, action, 0.f, 1);
  toCell.update();
  EXPECT_NEAR(feetOf(unit).x, 0.f, 1e-3f);
  EXPECT_NEAR(feetOf(unit).y, 50.f, 1e-3f);
}

TEST_F(UnitModulesTest, AFallFromOneHundredWithPeakZeroOverTwentyFramesLandsAfterThe21stUpdate) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 100.f));
  Fall fall(unit, 20, 0.f, 0.f);
  EXPECT_FLOAT_EQ(fall.velocity(), 0.f);
  EXPECT_FLOAT_EQ(fall.acceleration(), -0.5f);
  float z = 100.f;
  for (int c = 0; c < 20; ++c) {
    EXPECT_EQ(fall.update(), Module::kHolding) << c;
    z += static_cast<float>(c) * -0.5f;
    EXPECT_NEAR(feetOf(unit).z, z, 1e-3f) << c;
  }
  EXPECT_TRUE(nodesOf(common("土煙")).empty());
  EXPECT_EQ(fall.update(), Module::kDone);
  EXPECT_NEAR(feetOf(unit).z, -5.f, 1e-3f);  // 100 - 0.5 · (0 + 1 + … + 20)
  // The landing: a ring of 256/16 + 16 puffs round the feet.
  EXPECT_EQ(nodesOf(common("土煙")).size(), 32u);
}

TEST_F(UnitModulesTest, AFallsStartVelocityAndAccelerationSolveThePeak) {
  const struct {
    float z0;
    int frames;
    float peak, end;
    float velocity, acceleration;
  } kFalls[] = {
      // A = -F²/4/p, D = F² - 4A(z0 - e), v = (-F - √D)/2A, a = -v²/p/2.
      {0.f, 16, 64.f, 0.f, 16.f, -2.f},          // A -1, D 256
      {0.f, 32, 128.f, 128.f, 8.f, -0.25f},      // A -2, D 0
      {64.f, 16, 64.f, 0.f, 19.313708f, -2.914214f},  // A -1, D 512: v = 8 + 8√2
      {-100.f, 32, 128.f, 128.f, 8.f, -0.25f},   // D < 0: taken as 0
      {0.f, 10, 0.f, 50.f, 0.f, 1.f},            // peak 0: 2(e - z0)/F²
  };
  for (const auto& c : kFalls) {
    Game::Unit& unit = unitAt(Vector3(0.f, 0.f, c.z0));
    Fall fall(unit, c.frames, c.peak, c.end);
    EXPECT_NEAR(fall.velocity(), c.velocity, 1e-3f) << c.z0 << " " << c.peak;
    EXPECT_NEAR(fall.acceleration(), c.acceleration, 1e-3f) << c.z0 << " " << c.peak;
  }
}

// Peak 64 over 16 frames from the ground: v 16, a -2; the feet rise by
// 16, 14, 12, … and are back on the ground after 17 updates.
TEST_F(UnitModulesTest, AFallWithAPeakRisesByTheVelocityLessTheCountTimesTheAcceleration) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Fall fall(unit, 16, 64.f, 0.f);
  const float kZ[] = {16.f, 30.f, 42.f, 52.f};
  for (float z : kZ) {
    EXPECT_EQ(fall.update(), Module::kHolding);
    EXPECT_NEAR(feetOf(unit).z, z, 1e-3f);
  }
  for (int c = 4; c < 16; ++c) {
    fall.update();
  }
  EXPECT_EQ(fall.update(), Module::kDone);
  EXPECT_NEAR(feetOf(unit).z, 0.f, 1e-3f);  // 17·16 - 2·(0 + 1 + … + 16)
  EXPECT_EQ(nodesOf(common("土煙")).size(), 32u);
}

TEST_F(UnitModulesTest, AFallEndingAboveTheGroundOrOfNoFramesRaisesNoDustAndEnds) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, -100.f));
  Fall high(unit, 32, 128.f, 128.f);
  int updates = 1;
  while (high.update() != Module::kDone) {
    ++updates;
  }
  EXPECT_EQ(updates, 33);
  EXPECT_TRUE(std::isfinite(feetOf(unit).z));
  EXPECT_TRUE(nodesOf(common("土煙")).empty());

  Fall instant(unit, 0, 0.f, 0.f);  // one frame
  EXPECT_EQ(instant.update(), Module::kHolding);
  EXPECT_EQ(instant.update(), Module::kDone);
  EXPECT_TRUE(std::isfinite(feetOf(unit).z));
}

}  // namespace
