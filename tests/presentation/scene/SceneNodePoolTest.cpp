#include "presentation/scene/SceneNodePool.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/random/RandomGenerator.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/Near.h"

namespace Game {
namespace {

using Engine::Math::Vector3;
using PresentationTest::digits;
using PresentationTest::expectNear;
using Strings = std::vector<std::string>;

// The node's rotation track: pitch, yaw and roll.
std::string turn(const SceneNode& node) {
  return digits(Vector3(node.rotation.x.value(), node.rotation.y.value(), node.rotation.z.value()));
}

// Nodes of a small pool over models whose draws tell their time (in x), with
// the renderer there for the lights and the camera.
class SceneNodePoolTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    SceneRenderer::create(800, 600);
    load("model{name m;" + timed("b") + "}model{name other;" + timed("o") + "}model{name short;time 60;" +
         timed("s") + "}animation{name over;time 20;position{y{{value 0;delay 1000;}{value 1000;}}}}");
  }
  void TearDown() override {
    pool.reset();
    SceneRenderer::destroy();
    ModelTest::TearDown();
  }

  SceneNode* make(const char* name = "m") { return pool->create(&model(name)); }
  SceneNode* light(float range, int lifetime, float x, float y, const Vector3& color) {
    return pool->createLight(range, lifetime, Vector3(x, y, 0.f), color);
  }
  // The pool's draw, as "batch@time".
  Strings drawn() {
    pool->draw();
    return hook.take();
  }
  // The point light after a draw of the pool.
  void expectLight(const Vector3& position, const Vector3& color, float range) {
    pool->draw();
    const Light& light = SceneRenderer::instance()->pointLight();
    expectNear(light.position, position);
    expectNear(light.color, color);
    EXPECT_FLOAT_EQ(light.requestedRange, range);
  }

  const Vector3 kRed{1.f, 0.f, 0.f}, kGreen{0.f, 1.f, 0.f}, kBlue{0.f, 0.f, 1.f};
  std::unique_ptr<SceneNodePool> pool = std::make_unique<SceneNodePool>(8);
};

TEST_F(SceneNodePoolTest, AFullPoolGivesUpItsLastSlotAndWhatItHeld) {
  SceneNodePool big(SceneNodePool::kSceneCapacity);
  for (int i = 0; i < SceneNodePool::kSceneCapacity; ++i) big.create(&model("m"));
  SceneNode& last = big.node(SceneNodePool::kSceneCapacity - 1);
  const Engine::u32 oldId = last.getId();
  // The last node holds a child in a slot freed for it.
  big.node(3).release();
  SceneNode* child = big.create(&model("m"));
  ASSERT_EQ(child->index(), 3u);
  child->setParent(&last, false, false);
  last.addOverlay(mSet.findAnimation("over"), 0.f);

  SceneNode* extra = big.create(&model("other"));  // the 1025th
  EXPECT_EQ(extra, &last);
  EXPECT_NE(extra->getId(), oldId);
  EXPECT_TRUE(extra->overlays().empty());
  EXPECT_FALSE(child->isActive());
  // Cloning the last node of a full pool keeps it as it was.
  extra->setTime(9.f);
  ASSERT_EQ(big.create(&model("m"))->index(), 3u);
  EXPECT_EQ(big.clone(*extra), extra);
  EXPECT_TRUE(extra->isActive());
  EXPECT_FLOAT_EQ(extra->getTime(), 9.f);
}

// Slot 2 taken, 0 and 1 free: every way of making a node takes slot 0, as
// does a start outside the pool; a pool of one slot reuses it.
TEST_F(SceneNodePoolTest, EveryWayOfMakingANodeSearchesFromSlotZero) {
  SceneNode* held = pool->create(&model("m"), 2);
  const std::function<SceneNode*()> makers[] = {
      [&] { return pool->clone(*held); },
      [&] { return pool->createLight(10.f, -1, Vector3(0.f, 0.f, 0.f), kRed); },
      [&] { return pool->launchAnimation(&model("m"), Vector3(0.f, 0.f, 0.f), 5, 1.f); },
      [&] { return pool->create(&model("m"), -1); },
      [&] { return pool->create(&model("m"), 8); },
  };
  for (std::size_t i = 0; i < std::size(makers); ++i) {
    SceneNode* made = makers[i]();
    EXPECT_EQ(made->index(), 0u) << i;
    made->release();
  }
  SceneNodePool single(1);
  EXPECT_EQ(single.create(&model("m"))->index(), 0u);
  EXPECT_EQ(single.create(&model("other"))->getModel(), &model("other"));
}

TEST_F(SceneNodePoolTest, NodesStartLateAndEndWithTheirLifetimeOrTheirModel) {
  SceneNode* node = make();
  node->setTime(-30.f);
  node->setLifetime(2);
  node->position.setVelocity(1.f, 0.f, 0.f);
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(drawn(), Strings{}) << i;
    pool->update();
  }
  EXPECT_FLOAT_EQ(node->position.x.value(), 0.f);
  EXPECT_EQ(drawn(), Strings{"b@0"});
  pool->update();
  EXPECT_FLOAT_EQ(node->position.x.value(), 1.f);
  EXPECT_TRUE(node->isActive());  // its lifetime only ran once
  pool->update();
  EXPECT_FALSE(node->isActive());
  SceneNode* once = make();
  once->setLifetime(1);
  SceneNode* shortLived = make("short");
  SceneNode* endless = make();
  pool->update();
  EXPECT_FALSE(once->isActive());
  for (int i = 1; i < 60; ++i) {
    EXPECT_TRUE(shortLived->isActive()) << i;
    pool->update();
  }
  EXPECT_FALSE(shortLived->isActive());
  EXPECT_TRUE(endless->isActive());
  EXPECT_EQ(pool->highestUsed(), 2);
}

TEST_F(SceneNodePoolTest, ChildrenFollowTheirParentsVisibilityAndRelease) {
  SceneNode* parent = make();
  SceneNode* child = make("other");
  child->setParent(parent, false, false);
  parent->setVisible(false);
  EXPECT_EQ(drawn(), Strings{});
  SceneNode* lamp = light(10.f, -1, 0.f, 0.f, kRed);
  child->setParent(lamp, false, false);  // a light-only parent still shows its children
  EXPECT_EQ(drawn(), Strings{"o@0"});

  child->setParent(parent, false, false);
  SceneNode* grandchild = make();
  grandchild->setParent(child, false, false);
  SceneNode* stayer = make();
  stayer->setParent(parent, true, false);
  make();
  parent->release();
  EXPECT_FALSE(parent->isActive() || child->isActive() || grandchild->isActive());
  EXPECT_EQ(stayer->parent(), nullptr);
  EXPECT_EQ(pool->activeCount(), 3);  // the stayer, the bystander and the lamp
  // A child in the highest slot in use goes too.
  SceneNode* top = pool->create(&model("m"), 6);
  ASSERT_EQ(static_cast<int>(top->index()), pool->highestUsed());
  top->setParent(stayer, false, false);
  stayer->release();
  EXPECT_FALSE(top->isActive());
  make();  // slot 0
  EXPECT_EQ(pool->activeCount(), 3);
  pool->create(&model("m"), 7);  // the last slot
  pool->releaseAll();
  EXPECT_EQ(pool->activeCount(), 0);
}

TEST_F(SceneNodePoolTest, AnOverlayActsAfterItsDelayAndEndsWithItsAnimation) {
  SceneNode* node = make();
  node->addOverlay(mSet.findAnimation("over"), 10.f);
  node->addOverlay(Animation(), 0.f);
  ASSERT_EQ(node->overlays().size(), 1u);
  const auto lift = [&] {
    pool->draw();
    const float y = hook.draws.at(0).state.transform(1, 3) * 400.f;
    hook.draws.clear();
    return y;
  };
  for (int i = 0; i <= 10; ++i) {
    EXPECT_FLOAT_EQ(lift(), 0.f) << i;
    pool->update();
  }
  EXPECT_NEAR(lift(), 1.f, 1e-3f);
  for (int i = 11; i < 30; ++i) pool->update();
  EXPECT_TRUE(node->overlays().empty());
  EXPECT_FLOAT_EQ(lift(), 0.f);
}

TEST_F(SceneNodePoolTest, TheWorldIsBaseThenParentThenOwn) {
  SceneNode* parent = make();
  parent->position.setValue(100.f, 0.f, 0.f);
  parent->rotation.setValue(0.f, 0.f, 90.f);
  SceneNode* child = make();
  child->position.setValue(10.f, 0.f, 0.f);
  child->setParent(parent, false, false);
  child->baseState.translate(0.f, 0.f, 5.f);
  SceneNode* follower = make();
  follower->position.setValue(10.f, 0.f, 0.f);
  follower->setParent(parent, false, true);
  pool->updateAllWorld();
  expectNear(*child->worldPosition(), Vector3(100.f, 10.f, 5.f));
  expectNear(*follower->worldPosition(), Vector3(110.f, 0.f, 0.f));
  Vector3 point;
  child->localToWorldVector(&point, Vector3(10.f, 0.f, 0.f));
  expectNear(point, Vector3(0.f, 10.f, 0.f));
  child->localToWorldPoint(&point, Vector3(10.f, 0.f, 0.f));
  expectNear(point, Vector3(100.f, 20.f, 5.f));
}

// Yaw atan2(x, z) and pitch -atan2(y, |(x, z)|) of the direction, taken in
// the parent's frame; aimAtXY keeps the node's own height.
TEST_F(SceneNodePoolTest, AimingSetsPitchAndYawTowardThePoint) {
  SceneNode* node = make();
  node->position.setValue(10.f, 10.f, 0.f);
  const struct {
    Vector3 point;
    bool flat;
    float pitch, yaw;
  } cases[] = {{{20.f, 10.f, 0.f}, false, 0.f, 90.f},    {{0.f, 10.f, 0.f}, false, 0.f, -90.f},
               {{5.f, 10.f, -5.f}, false, 0.f, -135.f}, {{10.f, 20.f, 10.f}, false, -45.f, 0.f},
               {{20.f, 20.f, 0.f}, false, -45.f, 90.f}, {{20.f, 20.f, 500.f}, true, -45.f, 90.f}};
  for (const auto& c : cases) {
    c.flat ? node->aimAtXY(c.point) : node->aimAt(c.point);
    EXPECT_EQ(turn(*node), digits(Vector3(c.pitch, c.yaw, 0.f))) << digits(c.point);
    node->rotation.setValue(0.f, 0.f, 0.f);
  }
  // Under a parent turned 90 degrees about z, world +y is the parent's +x.
  SceneNode* parent = make();
  parent->position.setValue(100.f, 0.f, 0.f);
  parent->rotation.setValue(0.f, 0.f, 90.f);
  node->setParent(parent, false, false);
  node->position.setValue(10.f, 0.f, 0.f);
  node->aimAt(Vector3(100.f, 20.f, 0.f));
  EXPECT_EQ(turn(*node), "0,90,0");
}

TEST_F(SceneNodePoolTest, StoppedNodesStayAndRandomTurnsTouchOnlyTheirAxes) {
  SceneNode* node = make();
  node->position.setVelocity(1.f, 2.f, 3.f);
  node->setLifetime(2);
  node->stopMotions();
  for (int i = 0; i < 3; ++i) pool->update();
  EXPECT_TRUE(node->isActive()) << "lifetime 0 is endless";
  EXPECT_FLOAT_EQ(node->getTime(), 0.f);
  EXPECT_EQ(digits(Vector3(node->position.x.value(), node->position.y.value(), node->position.z.value())), "0,0,0");

  RandomGenerator::create();
  RandomGenerator::instance()->setSeed(5);
  const float expected = RandomGenerator::instance()->getFloat(360.f);
  RandomGenerator::instance()->setSeed(5);
  node->randomizeRotation(false, true, false);
  RandomGenerator::destroy();
  EXPECT_EQ(turn(*node), digits(Vector3(0.f, expected, 0.f)));

  // A packed light colour gives its red, green and blue.
  pool->createLightPacked(10.f, -1, Vector3(0.f, 0.f, 0.f), 0xFF804020u);
  expectLight(Vector3(0.f, 0.f, 0.f), Vector3(128.f / 255.f, 64.f / 255.f, 32.f / 255.f), 10.f);
}

TEST_F(SceneNodePoolTest, TheNodeUpdatedLastLightsTheScene) {
  SceneNode* child = pool->create(nullptr);
  SceneNode* parent = pool->createLight(50.f, -1, Vector3(0.f, 0.f, 400.f), kRed);
  child->setParent(parent, false, false);
  child->setLight(30.f, kGreen);
  child->transparency.setValue(0.5f);
  expectLight(Vector3(0.f, 0.f, 1.f), kGreen, 15.f);  // the parent first, for its child
  child->setLightIntensity(0.f);
  pool->update();
  expectLight(Vector3(0.f, 0.f, 1.f), kRed, 50.f);
}

TEST_F(SceneNodePoolTest, OfTwoLightsTheLaterSlotWinsUntilItGoes) {
  light(20.f, -1, 400.f, 0.f, kRed);
  SceneNode* second = light(40.f, 2, 0.f, 400.f, kBlue);
  expectLight(Vector3(0.f, 1.f, 0.f), kBlue, 40.f);
  pool->update();
  pool->update();  // the second's lifetime ends
  ASSERT_FALSE(second->isActive());
  expectLight(Vector3(1.f, 0.f, 0.f), kRed, 20.f);
}

// Ids count up from 0 whenever a pool is built, one counter for all pools.
TEST_F(SceneNodePoolTest, DestroyedModelsTakeTheirNodesInEveryPool) {
  SceneNodePool one(4);
  EXPECT_EQ(one.create(&model("m"))->getId(), 0u);
  EXPECT_EQ(one.create(&model("m"))->getId(), 1u);
  SceneNodePool two(4);
  EXPECT_EQ(two.create(&model("m"))->getId(), 0u);
  EXPECT_EQ(one.create(&model("m"))->getId(), 1u);
  std::vector<std::unique_ptr<SceneNodePool>> pools;
  for (int i = 0; i < 5; ++i) pools.push_back(std::make_unique<SceneNodePool>(4));
  EXPECT_EQ(SceneNodePool::registeredCount(), 8);
  SceneNode* first = pools.front()->create(&model("m"));
  SceneNode* fifth = pools.back()->create(&model("m"));
  SceneNode* kept = pools.back()->create(&model("other"));
  SceneNodePool::releaseModelUsers(&model("m"));
  EXPECT_FALSE(first->isActive() || fifth->isActive());
  EXPECT_TRUE(kept->isActive());
  pools.clear();
  EXPECT_EQ(SceneNodePool::registeredCount(), 3);
}

TEST_F(SceneNodePoolTest, ModelsChangeByNameAndClonesCopyAllButSlotAndId) {
  SceneNode* node = make();
  node->setTime(5.f);
  node->setModel(&model("m"), true);
  EXPECT_FLOAT_EQ(node->getTime(), 5.f);
  EXPECT_FALSE(node->setModelByName("missing", false));
  EXPECT_TRUE(node->setModelByName("other", false));
  EXPECT_EQ(node->getModel(), &model("other"));
  EXPECT_FLOAT_EQ(node->getTime(), 0.f);
  EXPECT_FALSE(pool->create(nullptr)->setModelByName("m", false));

  node->setTime(7.f);
  node->addOverlay(mSet.findAnimation("over"), 3.f);
  node->setColor(Color(0.5f, 0.25f, 0.5f, 1.f));
  SceneNode* copy = pool->clone(*node);
  EXPECT_NE(copy->getId(), node->getId());
  EXPECT_FLOAT_EQ(copy->getTime(), 7.f);
  EXPECT_FLOAT_EQ(copy->ambient.x.value(), 0.25f);
  EXPECT_EQ(copy->overlays().size(), 1u);
}

TEST_F(SceneNodePoolTest, NodesCreatedDuringAnUpdateAheadOfItAreUpdatedInIt) {
  make();
  pool->update();
  SceneNode* ahead = make();
  pool->node(0).release();
  pool->update();
  EXPECT_FLOAT_EQ(ahead->getTime(), 1.f);
  EXPECT_EQ(ahead->frameCount(), 1);
}

TEST_F(SceneNodePoolTest, AimingTurnsTheRotationTrackAndTheCameraFollowsAFlaggedNode) {
  SceneNode* node = make();
  node->position.setValue(10.f, 10.f, 0.f);
  node->faceToward(Vector3(10.f, 20.f, 0.f));
  node->faceToward(Vector3(10.f, 10.f, 50.f));  // straight above: unchanged
  EXPECT_EQ(turn(*node), "0,0,90");

  node->setCameraFollow(true);
  Camera& camera = SceneRenderer::instance()->camera();
  for (int i = 0; i < 10; ++i) {
    pool->update();
    pool->draw();
    camera.step(i);
  }
  EXPECT_GT(camera.followWeight(), 0.f);
}

}  // namespace
}  // namespace Game
