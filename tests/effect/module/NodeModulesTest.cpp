// The modules that carry, copy, turn and stretch scene nodes, and the
// screen's squash.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live/Unit.h"
#include "effect/module/Afterimage.h"
#include "effect/module/Aspect.h"
#include "effect/module/Bring.h"
#include "effect/module/Launch.h"
#include "effect/module/Line.h"
#include "effect/module/RandomAngle.h"
#include "effect/module/Transport.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Game::Effect::Module::Afterimage;
using Game::Effect::Module::Aspect;
using Game::Effect::Module::Bring;
using Game::Effect::Module::Launch;
using Game::Effect::Module::Line;
using Game::Effect::Module::Module;
using Game::Effect::Module::RandomAngle;
using Game::Effect::Module::Transport;

using NodeModulesTest = EffectTestSupport::ModuleTest;

// Aspect over F frames (0 taken as 1), amplitude 1/2, period P: F updates
// holding, then one done; the squashes given, "updates: squash squash ..".
TEST_F(NodeModulesTest, AnAspectSwingsInsideItsEnvelopeAndIsBackToOneAfterFPlusOneUpdates) {
  const struct {
    int frames;
    float period;
    const char* squashes;
  } kAspects[] = {
      {4, 8.f, "5: 1 1.25 1 0.75 1"},  // 1 + 0.5·sin(45c)·cos(45c)
      {2, 0.f, "3: 1 1.5 1"},          // no period: the envelope alone
      {0, 0.f, "2: 1 1"},
  };
  for (const auto& row : kAspects) {
    stage.calls.clear();
    Aspect aspect(stage, row.frames, 0.5f, row.period);
    int updates = 0;
    Engine::i32 answer = Module::kHolding;
    while (answer == Module::kHolding && updates < 10) {
      answer = aspect.update();
      ++updates;
    }
    EXPECT_EQ(answer, Module::kDone);
    std::string given = std::to_string(updates) + ":";
    for (const std::string& call : stage.calls) {
      given += " " + (call.rfind("aspect ", 0) == 0 ? number(std::stof(call.substr(7))) : call);
    }
    EXPECT_EQ(given, row.squashes);
  }
}

TEST_F(NodeModulesTest, ALaunchOrAfterimageOfIntervalOneOrLessSpawnsEveryUpdateUntilItsSourceGoes) {
  for (int interval : {1, 0, -3}) {
    stage.pool.releaseAll();
    SceneNode* source = shotAt(Vector3(0.f, 0.f, 0.f));
    Launch launch(source, trail(), interval);
    Afterimage copies(source, 10, interval, 16, shapes->findAnimation("fade"));
    for (int c = 0; c < 4; ++c) {
      EXPECT_EQ(launch.update(), Module::kRunning);
      EXPECT_EQ(copies.update(), Module::kRunning);
    }
    EXPECT_EQ(nodesOf(trail()).size(), 4u) << interval;
    EXPECT_EQ(nodesOf(shot()).size(), 5u) << interval;  // the source and 4 copies
    // Both end with their source, long before their frames are up.
    source->release();
    EXPECT_EQ(launch.update(), Module::kDone);
    EXPECT_EQ(copies.update(), Module::kDone);
  }
}

TEST_F(NodeModulesTest, ARandomAngleTurnsTheFlaggedAxesEveryUpdateWhileTheNodeLives) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  RandomAngle turning(node, false, false, true);
  EXPECT_EQ(turning.update(), Module::kRunning);
  const float first = node->rotation.value().z;
  EXPECT_EQ(turning.update(), Module::kRunning);
  EXPECT_NE(node->rotation.value().z, first);
  EXPECT_GE(node->rotation.value().z, 0.f);
  EXPECT_LT(node->rotation.value().z, 360.f);
  EXPECT_EQ(text(Vector3(node->rotation.value().x, node->rotation.value().y, 0.f)), "0,0,0");
  node->release();
  stage.pool.create(shot(), 0);  // the slot goes to another node
  EXPECT_EQ(turning.update(), Module::kDone);
}

// Bring from (0, 0, 0) to (100, 0, 0) in a hop of 16 over 4 frames, or
// over none, taken as one: the places after each holding update.
TEST_F(NodeModulesTest, ABringCarriesTheNodeInFPlusOneUpdatesWithAHopHalfWay) {
  for (const auto& [frames, places] : {std::pair{4, "0,0,0 25,0,12 50,0,16 75,0,12 100,0,0 done"},
                                      {0, "0,0,0 100,0,0 done"}}) {
    SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
    Bring bring(node, frames, Vector3(100.f, 0.f, 0.f), 16.f);
    EXPECT_EQ(trace(bring, [&] { return text(node->position.value()); }), places);
  }
}

TEST_F(NodeModulesTest, ABringAlongItsCurveGoesThroughTheBezierAndTurnsAlongItsTangent) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  Bring bring(node, 2, Vector3(100.f, 0.f, 0.f), 0.f);
  bring.mCurve = true;
  bring.mAim = true;
  bring.mControl = Vector3(0.f, 100.f, 0.f);
  bring.update();
  bring.update();
  // t = 1/2: (start + 2·control + end)/4; tangent (100, 0, 0).
  EXPECT_EQ(describe(*node), "shot at 25,50,0 turn 0,90,0 scale 1,1,1 time 0");
}

TEST_F(NodeModulesTest, ABringToANodeFollowsItAndEndsWhenEitherNodeGoes) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  SceneNode* target = shotAt(Vector3(0.f, 80.f, 0.f));
  Bring bring(node, 2, target, 0.f);
  bring.update();
  bring.update();
  EXPECT_EQ(text(node->position.value()), "0,40,0");
  target->position.setValue(0.f, 200.f, 0.f);
  bring.update();
  EXPECT_EQ(text(node->position.value()), "0,200,0");  // followed

  Bring toGone(node, 8, target, 0.f);
  target->release();
  EXPECT_EQ(toGone.update(), Module::kDone);
  Bring gone(node, 8, Vector3(1.f, 0.f, 0.f), 0.f);
  node->release();
  EXPECT_EQ(gone.update(), Module::kDone);
}

TEST_F(NodeModulesTest, ALineSpansTwoUnitsWithZScaleDistanceOver256AndHoldsUntilItsNodeEnds) {
  SceneNode* first = stage.pool.create(trail(), 0);
  Game::Unit& from = unitAt(Vector3(0.f, 0.f, 0.f));
  Game::Unit& to = unitAt(Vector3(0.f, 512.f, 0.f), "Kessa", 1);
  first->release();
  Line line(shot(), from, to);
  SceneNode* spanning = line.node();
  ASSERT_NE(spanning, nullptr);
  EXPECT_EQ(spanning->index(), 0u);  // the pool's first free slot
  EXPECT_EQ(line.update(), Module::kHolding);
  SceneNode& node = *spanning;
  // At the first unit, stretched, its own z axis aimed at the second unit.
  EXPECT_EQ(text(node.position.value()) + " scale " + text(node.scale.value()), "0,0,128 scale 1,1,2");
  Vector3 ahead;
  node.updateWorld();
  node.localToWorldVector(&ahead, Vector3(0.f, 0.f, 1.f));
  EXPECT_NEAR(ahead.x, 0.f, 1e-3f);
  EXPECT_GT(ahead.y, 0.f);
  to.placeFrontAt(Vector3(0.f, 128.f, 0.f));
  line.update();
  EXPECT_NEAR(node.scale.value().z, 0.5f, 1e-5f);
  node.release();
  EXPECT_EQ(line.update(), Module::kDone);
  battle.pool = nullptr;  // without a pool, no node and done at once
  Line unseen(shot(), from, to);
  EXPECT_EQ(unseen.node(), nullptr);
  EXPECT_EQ(unseen.update(), Module::kDone);
}

// Transport over 4 frames through (20, 10, 0) at 2 to (40, 0, 0):
// x = 10t, y = 10t - 2.5t².
TEST_F(NodeModulesTest, ATransportFollowsItsPathStretchedAndLeavesATrailHalfAFrameBehind) {
  SceneNode* first = shotAt(Vector3(0.f, 0.f, 0.f));
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  first->release();  // the trail takes the pool's first free slot
  Transport transport(node, 4, true);
  transport.mStretch = true;
  transport.mTrail = trail();
  transport.setSpanValue(Vector3(40.f, 0.f, 0.f), 2.f, Vector3(20.f, 10.f, 0.f));
  node->rotation.z.setValue(33.f);
  EXPECT_EQ(transport.update(), Module::kHolding);
  EXPECT_TRUE(nodesOf(trail()).empty());  // nothing half a frame before the start
  EXPECT_EQ(transport.update(), Module::kHolding);
  // Stretched to its velocity |(10, 5, 0)| = 11.18 and turned along it.
  EXPECT_EQ(pose(*node), "10,7.5,0 turn -26.57,90,33 scale 1,1,11.18");
  const std::vector<SceneNode*> trails = nodesOf(trail());
  ASSERT_EQ(trails.size(), 1u);
  EXPECT_EQ(trails[0]->index(), 0u);
  // At 1/2, as long as |(10, 7.5, 0)|, turned as the node.
  EXPECT_EQ(pose(*trails[0]), "5,4.38,0 turn -36.87,90,33 scale 1,1,12.5");
  EXPECT_EQ(trace(transport, [&] { return text(node->position.value()); }), "20,10,0 30,7.5,0 40,0,0 done");
}

TEST_F(NodeModulesTest, ATransportWhoseNodeWentEndsOnTheNextUpdate) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  Transport transport(node, 96, false);
  transport.setSpanVelocity(Vector3(100.f, 0.f, 0.f), 0.f, Vector3(1.f, 0.f, 0.f));
  EXPECT_EQ(transport.update(), Module::kHolding);
  node->setLifetime(1);
  stage.pool.update();  // its lifetime runs out
  EXPECT_EQ(transport.update(), Module::kDone);
}

}  // namespace
