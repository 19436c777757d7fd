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
  EXPECT_EQ(trace(step, [&] { return text(positionOf(unit)); }), "16,0,160 32,0,176 48,0,176 64,0,160 80,0,128 done");
  EXPECT_EQ(text(positionOf(unit)), "80,0,128");
}

TEST_F(UnitModulesTest, AStepGoesAlongTheUnitsOwnAxes) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  unit.node()->rotation.setValue(0.f, 0.f, 90.f);  // facing +y
  Step step(unit, 0.f, -30.f, 3);
  EXPECT_EQ(trace(step, [&] { return text(positionOf(unit)); }), "0,-10,128 0,-20,128 0,-30,128 0,-40,128 done");
}

TEST_F(UnitModulesTest, AStepOfNoFramesOrWithoutANodeStillEnds) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Step instant(unit, 32.f, 64.f, 0);  // taken as 1 frame: 2 moving updates
  EXPECT_EQ(trace(instant, [] { return "h"; }), "h h done");
  EXPECT_EQ(text(positionOf(unit)), "128,0,128");
  unit.releaseSceneNode();
  Step unseen(unit, 32.f, 64.f, 1);
  EXPECT_EQ(trace(unseen, [] { return "h"; }), "h h done");
}

TEST_F(UnitModulesTest, AMoveHopsToHeightHalfWayAndRaisesDustOnlyOnTheGround) {
  Game::Unit& slime = unitAt(Vector3(0.f, 0.f, 0.f), "Slime");
  Move move(slime, Vector3(100.f, 0.f, 0.f), 64.f, 4, false);
  EXPECT_EQ(trace(move, [&] { return number(feetOf(slime).z); }), "48 64 48 0 done");
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
  EXPECT_EQ(text(difference(ahead, positionOf(caster))), "0,128,0");
  // The target moves on: followed.
  target.placeFrontAt(Vector3(0.f, 600.f, 0.f));
  move.update();
  EXPECT_NEAR(feetOf(caster).y, 376.f, 1e-3f);
  EXPECT_EQ(move.update(), Module::kDone);
}

// Over one frame from the feet at x to a slime's at x + y: short of it by
// 448 · approach / 2, or, from the slime's own feet, no way to stop short.
TEST_F(UnitModulesTest, AMoveToAUnitStopsShortInProportionToTheApproach) {
  const struct {
    float x, y, approach;
    const char* feet;
  } kMoves[] = {{0.f, -400.f, 0.5f, "0,-288,0"}, {50.f, 0.f, 1.f, "50,0,0"}};
  for (const auto& row : kMoves) {
    Game::Unit& caster = unitAt(Vector3(row.x, 0.f, 0.f));
    Move move(caster, unitAt(Vector3(row.x, row.y, 0.f), "Slime", 1), 0.f, 1, row.approach);
    move.update();
    EXPECT_EQ(text(feetOf(caster)), row.feet);
    EXPECT_EQ(move.update(), Module::kDone);
  }
}

TEST_F(UnitModulesTest, AMoveHomeGoesToTheUnitsCellAndAMoveToACellToItsSpotOnTheMiddleLine) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 0.f));
  Vector3 home;
  unit.getHomePosition(home);
  Move back(unit, 0.f, 1);
  back.update();
  EXPECT_EQ(text(feetOf(unit)), text(home));

  EffectTestSupport::RecordingAction& action = makeAction(unit, {});
  action.aim = Vector3(300.f, 50.f, 0.f);
  Move toCell(unit, action, 0.f, 1);
  toCell.update();
  EXPECT_EQ(text(feetOf(unit)), "0,50,0");
}

TEST_F(UnitModulesTest, AFallFromOneHundredWithPeakZeroOverTwentyFramesLandsAfterThe21stUpdate) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, 100.f));
  Fall fall(unit, 20, 0.f, 0.f);
  EXPECT_FLOAT_EQ(fall.velocity(), 0.f);
  EXPECT_FLOAT_EQ(fall.acceleration(), -0.5f);
  // After update c, 100 - 0.5 · (0 + 1 + … + c); dust ("!") only on landing.
  const auto heightAndDust = [&] { return number(feetOf(unit).z) + (nodesOf(common("土煙")).empty() ? "" : "!"); };
  EXPECT_EQ(trace(fall, heightAndDust),
            "100 99.5 98.5 97 95 92.5 89.5 86 82 77.5 72.5 67 61 54.5 47.5 40 32 23.5 14.5 5 done");
  EXPECT_NEAR(feetOf(unit).z, -5.f, 1e-3f);
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

TEST_F(UnitModulesTest, AFallEndingAboveTheGroundOrOfNoFramesRaisesNoDustAndEnds) {
  Game::Unit& unit = unitAt(Vector3(0.f, 0.f, -100.f));
  Fall high(unit, 32, 128.f, 128.f);  // v 8, a -1/4: 33 updates up to -100 + 33·8 - (0 + 1 + … + 32)/4
  EXPECT_EQ(trace(high, [] { return ""; }), std::string(32, ' ') + "done");  // 32 holding updates
  EXPECT_EQ(number(feetOf(unit).z) + " " + std::to_string(nodesOf(common("土煙")).size()), "32 0");
  Fall instant(unit, 0, 0.f, 0.f);  // one frame
  EXPECT_EQ(trace(instant, [] { return "h"; }), "h done");
  EXPECT_TRUE(std::isfinite(feetOf(unit).z));
}

}  // namespace
