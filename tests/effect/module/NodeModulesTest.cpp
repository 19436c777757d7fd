// The modules that carry, copy, turn and stretch scene nodes, and the
// screen's squash.

#include <gtest/gtest.h>

#include <cmath>
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

class NodeModulesTest : public EffectTestSupport::ModuleTest {
 protected:
  // The squashes the stage was given, in order.
  std::vector<float> squashes() const {
    std::vector<float> values;
    for (const std::string& call : stage.calls) {
      if (call.rfind("aspect ", 0) == 0) {
        values.push_back(std::stof(call.substr(7)));
      }
    }
    return values;
  }

};

// Aspect over 4 frames, amplitude 1/2, period 8: 1 + 0.5·sin(45c)·cos(45c).
TEST_F(NodeModulesTest, AnAspectSwingsInsideItsEnvelopeAndIsBackToOneAfterFPlusOneUpdates) {
  Aspect aspect(stage, 4, 0.5f, 8.f);
  const float kSquash[] = {1.f, 1.25f, 1.f, 0.75f, 1.f};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(aspect.update(), Module::kHolding);
  }
  EXPECT_EQ(aspect.update(), Module::kDone);
  const std::vector<float> given = squashes();
  ASSERT_EQ(given.size(), 5u);
  for (std::size_t c = 0; c < 5; ++c) {
    EXPECT_NEAR(given[c], kSquash[c], 1e-5f) << c;
  }
}

TEST_F(NodeModulesTest, AnAspectOfNoFramesOrNoPeriodStaysFiniteAndEnds) {
  Aspect still(stage, 0, 0.5f, 0.f);
  EXPECT_EQ(still.update(), Module::kHolding);
  EXPECT_EQ(still.update(), Module::kDone);
  Aspect flat(stage, 2, 0.5f, 0.f);  // the envelope alone: 1, 1.5, 1
  flat.update();
  flat.update();
  flat.update();
  const std::vector<float> given = squashes();
  ASSERT_EQ(given.size(), 5u);
  for (float squash : given) {
    EXPECT_TRUE(std::isfinite(squash));
  }
  EXPECT_NEAR(given[3], 1.5f, 1e-5f);
  EXPECT_NEAR(given[4], 1.f, 1e-5f);
}

TEST_F(NodeModulesTest, ALaunchLeavesStillCopiesEveryIntervalAndEndsWithItsSource) {
  SceneNode* source = shotAt(Vector3(10.f, 20.f, 30.f));
  source->rotation.setValue(0.f, 0.f, 45.f);
  source->scale.setValueAll(2.f);
  source->position.setVelocity(5.f, 0.f, 0.f);
  source->rotation.setVelocity(0.f, 0.f, 3.f);
  Launch launch(source, trail(), 3);
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(launch.update(), Module::kRunning) << c;
    stage.pool.update();
  }
  const std::vector<SceneNode*> copies = nodesOf(trail());
  ASSERT_EQ(copies.size(), 3u);  // on counts 0, 3 and 6
  // Each where the source was when it was left, and still there.
  const float kX[] = {10.f, 25.f, 40.f};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(copies[i]->position.value().x, kX[i]) << i;
    EXPECT_FLOAT_EQ(copies[i]->position.x.velocity(), 0.f);
    EXPECT_FLOAT_EQ(copies[i]->rotation.z.velocity(), 0.f);
    EXPECT_FLOAT_EQ(copies[i]->scale.value().y, 2.f);
  }
  EXPECT_FLOAT_EQ(copies[0]->rotation.value().z, 45.f);
  source->release();
  EXPECT_EQ(launch.update(), Module::kDone);
}

TEST_F(NodeModulesTest, ALaunchOrAfterimageOfIntervalOneOrLessSpawnsEveryUpdate) {
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
  EXPECT_FLOAT_EQ(node->rotation.value().x, 0.f);
  EXPECT_FLOAT_EQ(node->rotation.value().y, 0.f);
  node->release();
  stage.pool.create(shot(), 0);  // the slot goes to another node
  EXPECT_EQ(turning.update(), Module::kDone);
}

// Bring from (0, 0, 0) to (100, 0, 0) over 4 frames in a hop of 16.
TEST_F(NodeModulesTest, ABringCarriesTheNodeInFPlusOneUpdatesWithAHopHalfWay) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  Bring bring(node, 4, Vector3(100.f, 0.f, 0.f), 16.f);
  const Vector3 kAt[] = {{0.f, 0.f, 0.f}, {25.f, 0.f, 12.f}, {50.f, 0.f, 16.f}, {75.f, 0.f, 12.f}, {100.f, 0.f, 0.f}};
  for (const Vector3& at : kAt) {
    EXPECT_EQ(bring.update(), Module::kHolding);
    expectNear(node->position.value(), at, "bring");
  }
  EXPECT_EQ(bring.update(), Module::kDone);
}

TEST_F(NodeModulesTest, ABringOfNoFramesTakesOneAndStaysFinite) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  Bring bring(node, 0, Vector3(100.f, 0.f, 0.f), 16.f);
  EXPECT_EQ(bring.update(), Module::kHolding);
  expectNear(node->position.value(), Vector3(0.f, 0.f, 0.f), "start");
  EXPECT_EQ(bring.update(), Module::kHolding);
  expectNear(node->position.value(), Vector3(100.f, 0.f, 0.f), "end");
  EXPECT_EQ(bring.update(), Module::kDone);
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
  expectNear(node->position.value(), Vector3(25.f, 50.f, 0.f), "middle");
  EXPECT_NEAR(node->rotation.value().x, 0.f, 1e-3f);
  EXPECT_NEAR(node->rotation.value().y, 90.f, 1e-3f);
}

TEST_F(NodeModulesTest, ABringToANodeFollowsItAndEndsWhenEitherNodeGoes) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  SceneNode* target = shotAt(Vector3(0.f, 80.f, 0.f));
  Bring bring(node, 2, target, 0.f);
  bring.update();
  bring.update();
  expectNear(node->position.value(), Vector3(0.f, 40.f, 0.f), "half way");
  target->position.setValue(0.f, 200.f, 0.f);
  bring.update();
  expectNear(node->position.value(), Vector3(0.f, 200.f, 0.f), "followed");

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
  expectNear(node.position.value(), Vector3(0.f, 0.f, 128.f), "at the first unit");
  expectNear(node.scale.value(), Vector3(1.f, 1.f, 2.f), "stretched");
  // Aimed along +y: its own z axis points at the second unit.
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
}

TEST_F(NodeModulesTest, ALineWithoutABattlePoolEndsAtOnce) {
  Game::Unit& from = unitAt(Vector3(0.f, 0.f, 0.f));
  Game::Unit& to = unitAt(Vector3(0.f, 512.f, 0.f), "Kessa", 1);
  battle.pool = nullptr;
  Line line(shot(), from, to);
  EXPECT_EQ(line.node(), nullptr);
  EXPECT_EQ(line.update(), Module::kDone);
}

TEST_F(NodeModulesTest, AnAfterimageCopyStaysPutFrozenAndFades) {
  SceneNode* node = shotAt(Vector3(30.f, 40.f, 50.f));
  node->rotation.setValue(0.f, 0.f, 90.f);
  node->position.setVelocity(4.f, 0.f, 0.f);
  node->setTime(7.f);
  const Game::Animation fade = shapes->findAnimation("fade");
  Afterimage copies(node, 4, 2, 16, fade);
  EXPECT_EQ(copies.update(), Module::kRunning);
  std::vector<SceneNode*> all = nodesOf(shot());
  ASSERT_EQ(all.size(), 2u);
  SceneNode& copy = *(all[0] == node ? all[1] : all[0]);
  EXPECT_EQ(copy.getLifetime(), 16);
  EXPECT_FLOAT_EQ(copy.getSpeed(), 0.f);
  ASSERT_EQ(copy.overlays().size(), 1u);
  EXPECT_TRUE(copy.overlays()[0].animation == fade);
  EXPECT_FLOAT_EQ(copy.overlays()[0].time, 0.f);
  expectNear(copy.position.value(), Vector3(0.f, 0.f, -1.f), "own place");
  expectNear(copy.rotation.value(), Vector3(0.f, 0.f, 0.f), "own turn");
  expectNear(copy.scale.value(), Vector3(1.f, 1.f, 1.f), "own size");
  for (int i = 0; i < 5; ++i) {
    stage.pool.update();
  }
  copy.updateWorld();
  expectNear(*copy.worldPosition(), Vector3(30.f, 40.f, 49.f), "where the node was");
  EXPECT_FLOAT_EQ(copy.getTime(), 7.f);
  // Turned as the node was: its own x axis points along +y.
  Vector3 ahead;
  copy.localToWorldVector(&ahead, Vector3(1.f, 0.f, 0.f));
  expectNear(ahead, Vector3(0.f, 1.f, 0.f), "turned");
}

TEST_F(NodeModulesTest, AnAfterimageCopiesOnMultiplesOfItsIntervalForFramesPlusOneUpdates) {
  SceneNode* node = shotAt(Vector3(0.f, 0.f, 0.f));
  Afterimage copies(node, 4, 2, 16, shapes->findAnimation("fade"));
  for (int c = 0; c <= 4; ++c) {
    EXPECT_EQ(copies.update(), Module::kRunning);
  }
  EXPECT_EQ(copies.update(), Module::kDone);
  EXPECT_EQ(nodesOf(shot()).size(), 4u);  // the node and copies on 0, 2 and 4
  Afterimage released(node, 4, 2, 16, shapes->findAnimation("fade"));
  node->release();
  EXPECT_EQ(released.update(), Module::kDone);
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
  expectNear(node->position.value(), Vector3(10.f, 7.5f, 0.f), "at 1");
  EXPECT_NEAR(node->scale.value().z, std::sqrt(125.f), 1e-3f);  // |(10, 5, 0)|
  EXPECT_NEAR(node->rotation.value().x, -std::atan2(5.f, 10.f) * 180.f / 3.14159265f, 1e-2f);
  EXPECT_NEAR(node->rotation.value().y, 90.f, 1e-3f);
  const std::vector<SceneNode*> trails = nodesOf(trail());
  ASSERT_EQ(trails.size(), 1u);
  EXPECT_EQ(trails[0]->index(), 0u);
  expectNear(trails[0]->position.value(), Vector3(5.f, 4.375f, 0.f), "trail at 1/2");
  EXPECT_NEAR(trails[0]->scale.value().z, 12.5f, 1e-3f);  // |(10, 7.5, 0)|
  EXPECT_NEAR(trails[0]->rotation.value().z, 33.f, 1e-3f);
  for (int c = 2; c <= 4; ++c) {
    EXPECT_EQ(transport.update(), Module::kHolding);
  }
  expectNear(node->position.value(), Vector3(40.f, 0.f, 0.f), "at the end");
  EXPECT_EQ(transport.update(), Module::kDone);
}

// Each setup from where the node stands (its world state not yet brought up
// to date) to (50, 20, 10) at 8, meeting a at 2 and b at 6 as value (0),
// velocity (1) or acceleration (2).
TEST_F(NodeModulesTest, EachTransportSetupFitsItsConditionsFromWhereTheNodeStands) {
  const Vector3 end(50.f, 20.f, 10.f);
  const Vector3 a(30.f, 30.f, 0.f);
  const Vector3 b(1.f, -2.f, 3.f);
  using Build = void (*)(Transport&, const Vector3&, const Vector3&, const Vector3&);
  const struct {
    const char* name;
    Build build;
    int first;
    int second;
  } kSetups[] = {
      {"setSpanValue", [](Transport& t, const Vector3& e, const Vector3& p, const Vector3&) { t.setSpanValue(e, 2.f, p); }, 0, -1},
      {"setSpanVelocity", [](Transport& t, const Vector3& e, const Vector3& p, const Vector3&) { t.setSpanVelocity(e, 2.f, p); }, 1, -1},
      {"setSpan", [](Transport& t, const Vector3& e, const Vector3& p, const Vector3& q) { t.setSpan(e, 2.f, p, 6.f, q); }, 0, 1},
      {"setSpanValueValue", [](Transport& t, const Vector3& e, const Vector3& p, const Vector3& q) { t.setSpanValueValue(e, 2.f, p, 6.f, q); }, 0, 0},
      {"setSpanVelocityVelocity", [](Transport& t, const Vector3& e, const Vector3& p, const Vector3& q) { t.setSpanVelocityVelocity(e, 2.f, p, 6.f, q); }, 1, 1},
      {"setSpanVelocityAccel", [](Transport& t, const Vector3& e, const Vector3& p, const Vector3& q) { t.setSpanVelocityAccel(e, 2.f, p, 6.f, q); }, 1, 2},
  };
  float x = 10.f;
  for (const auto& setup : kSetups) {
    x += 100.f;
    SceneNode* node = stage.pool.create(shot(), 0);
    node->position.setValue(x, 0.f, 0.f);
    Transport transport(node, 8, false);
    setup.build(transport, end, a, b);
    const Game::Vec3Curve& path = transport.path();
    auto at = [&](int kind, float t) {
      return kind == 0 ? path.valueAt(t) : kind == 1 ? path.velocityAt(t) : path.accelAt(t);
    };
    expectNear(path.valueAt(0.f), Vector3(x, 0.f, 0.f), setup.name);
    expectNear(path.valueAt(8.f), end, setup.name);
    expectNear(at(setup.first, 2.f), a, setup.name);
    if (setup.second >= 0) {
      expectNear(at(setup.second, 6.f), b, setup.name);
    }
    node->release();
  }
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
