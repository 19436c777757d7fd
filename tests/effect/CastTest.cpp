#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "effect/Module.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneNode.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::ActionRecord;
using Game::Effect::Cast;
using Kind = Game::Effect::ActionRecord::ResultKind;

// An effect whose frame script is given by the test, with the script
// operations open to it.
class ScriptedCast : public Cast {
 public:
  Engine::i32 update() override {
    if (script) {
      script(*this);
    }
    return frame();
  }

  std::function<void(ScriptedCast&)> script;

  using Cast::addModule;
  using Cast::addSound;
  using Cast::applyResult;
  using Cast::faceTargets;
  using Cast::finish;
  using Cast::flashHitTargets;
  using Cast::getCastCentre;
  using Cast::getFirstTarget;
  using Cast::getFirstTargetPosition;
  using Cast::getPointAlongPath;
  using Cast::getPointNearCaster;
  using Cast::getPointNearTargets;
  using Cast::getSideDirection;
  using Cast::getTargetCentre;
  using Cast::getTargetDirection;
  using Cast::getTargetDistance;
  using Cast::getUpDirection;
  using Cast::isAnyTargetHit;
  using Cast::launchAnimation;
  using Cast::launchHitMark;
  using Cast::launchHitMarks;
  using Cast::launchSparks;
  using Cast::launchSparksOnTargets;
  using Cast::playSound;
  using Cast::playSoundAt;
  using Cast::setCameraOnCast;
  using Cast::setCameraOnCaster;
  using Cast::setCameraOnTargets;
  using Cast::setCameraYawBySide;
  using Cast::startSound;
};

// A module that answers the same every update and counts its updates.
class FixedModule : public Game::Effect::Module::Module {
 public:
  explicit FixedModule(Engine::i32 answer, int* updates = nullptr) : mAnswer(answer), mUpdates(updates) {}
  Engine::i32 update() override {
    if (mUpdates) {
      ++*mUpdates;
    }
    return mAnswer;
  }

 private:
  Engine::i32 mAnswer;
  int* mUpdates;
};

class CastTest : public EffectTestSupport::EffectTest {
 protected:
  void TearDown() override {
    mEffect.reset();
    EffectTest::TearDown();
  }
  // The scripted effect bound to the action.
  ScriptedCast& scripted(ActionRecord& action) {
    mEffect = std::make_unique<ScriptedCast>();
    mEffect->bind(action);
    mEffect->setCamera(&camera);
    return *mEffect;
  }
  int activeNodesOf(const Game::Model* model) { return static_cast<int>(nodesOf(stage.pool, model).size()); }

  std::unique_ptr<ScriptedCast> mEffect;
};

// Tick.

TEST_F(CastTest, AModuleWaitingItsDelayHoldsTheTickAtOneAfterTheScriptFinished) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  int updates = 0;
  effect.script = [&updates](ScriptedCast& self) {
    self.addModule(std::make_unique<FixedModule>(Game::Effect::Module::Module::kDone, &updates))->mDelay = 64;
    self.finish();
  };
  for (int tick = 1; tick <= 64; ++tick) {
    ASSERT_EQ(effect.tick(), Cast::kApplied) << "tick " << tick;
  }
  EXPECT_EQ(updates, 0);
  EXPECT_EQ(effect.tick(), Cast::kFinished);
  EXPECT_EQ(updates, 1);
  EXPECT_FALSE(effect.modules().at(0).mActive);
  EXPECT_EQ(effect.tick(), Cast::kFinished);
  EXPECT_EQ(updates, 1);  // an inactive module is not updated again
}

TEST_F(CastTest, ModulesAnsweringOneNeverHoldTheEffect) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  int updates = 0;
  effect.script = [&updates](ScriptedCast& self) {
    if (self.frame() == 0) {
      self.addModule(std::make_unique<FixedModule>(Game::Effect::Module::Module::kRunning, &updates));
    }
    if (self.frame() == 2) {
      self.finish();
    }
  };
  EXPECT_EQ(effect.tick(), Cast::kRunning);
  EXPECT_EQ(effect.tick(), Cast::kRunning);
  EXPECT_EQ(effect.tick(), Cast::kFinished);
  EXPECT_EQ(updates, 3);
  EXPECT_EQ(effect.tick(), Cast::kFinished);
  EXPECT_EQ(updates, 4);  // it runs on while the effect is kept
}

TEST_F(CastTest, AHoldingModuleKeepsTheTickAtOneUntilItEnds) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  effect.script = [](ScriptedCast& self) {
    self.addModule(std::make_unique<FixedModule>(Game::Effect::Module::Module::kHolding));
    self.finish();
  };
  for (int tick = 0; tick < 10; ++tick) {
    ASSERT_EQ(effect.tick(), Cast::kApplied);
  }
}

TEST_F(CastTest, ANegativeDelayDoesNotHoldTheEffectForEver) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  effect.script = [](ScriptedCast& self) {
    self.addModule(std::make_unique<FixedModule>(Game::Effect::Module::Module::kDone))->mDelay = -1;
    self.finish();
  };
  EXPECT_EQ(effect.tick(), Cast::kFinished);
}

TEST_F(CastTest, AnEmptyModuleListAnswersTwoAndAnAddedModuleResetsItsResult) {
  Game::Effect::ModuleList list;
  EXPECT_EQ(list.tick(), 2);
  list.add(std::make_unique<FixedModule>(Game::Effect::Module::Module::kRunning));
  EXPECT_EQ(list.result(), 0);
  EXPECT_EQ(list.tick(), 1);
  EXPECT_EQ(list.result(), 1);
}

TEST_F(CastTest, ApplyingTwiceShowsTwiceAndApplyingAfterFinishKeepsTwo) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 0, 2);
  EffectTestSupport::RecordingAction& action = makeAction(caster, {{&target, Kind::kDamage}});
  ScriptedCast& effect = scripted(action);
  effect.script = [](ScriptedCast& self) {
    if (self.frame() == 1 || self.frame() == 2) {
      self.applyResult();
    }
    if (self.frame() == 3) {
      self.finish();
      self.applyResult();
    }
  };
  EXPECT_EQ(effect.tick(), Cast::kRunning);
  EXPECT_EQ(effect.tick(), Cast::kApplied);
  EXPECT_EQ(action.resultsShown, 1);
  EXPECT_EQ(effect.tick(), Cast::kApplied);
  EXPECT_EQ(action.resultsShown, 2);
  EXPECT_EQ(effect.tick(), Cast::kFinished);
  EXPECT_EQ(action.resultsShown, 3);
  EXPECT_EQ(effect.state(), Cast::kFinished);
}

TEST_F(CastTest, TheCaptionShowsOnceOnTheFirstFrameWithTheCastersSide) {
  Game::Unit& caster = makeUnit(1, 0, 2);
  EffectTestSupport::RecordingAction& action = makeAction(caster, {});
  action.captionText = "斬る";
  ScriptedCast& effect = scripted(action);
  effect.tick();
  effect.tick();
  effect.tick();
  EXPECT_EQ(stage.count("caption 斬る 1"), 1);
  EXPECT_EQ(stage.calls.front(), "caption 斬る 1");
}

TEST_F(CastTest, NoCaptionWithoutCaptionText) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  effect.tick();
  EXPECT_TRUE(stage.calls.empty());
}

TEST_F(CastTest, TheFrameCountsOnAfterTheScriptFinished) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  int calls = 0;
  effect.script = [&calls](ScriptedCast& self) {
    ++calls;
    self.finish();
  };
  effect.tick();
  effect.tick();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(effect.frame(), 2);
}

// Places and directions. Kessa stands 256 high: its node, the unit's centre,
// is 128 over its cell. Party cell (0, 2) lies at (64, 32); the enemies'
// (1, 2) at (-128, 32).

TEST_F(CastTest, WithoutTargetsTheCentresAreTheAimPointAndTheCasterBetween) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  Vector3 out;
  effect.getTargetCentre(out);
  expectNear(out, Vector3(-128.f, 32.f, 0.f));
  effect.getCastCentre(out);
  expectNear(out, Vector3(-32.f, 32.f, 64.f));
  effect.getFirstTargetPosition(out);
  expectNear(out, Vector3(-128.f, 32.f, 0.f));
  EXPECT_EQ(effect.getFirstTarget(), nullptr);
  EXPECT_FALSE(effect.isAnyTargetHit());
  EXPECT_NEAR(effect.getTargetDistance(), std::sqrt(192.f * 192.f + 128.f * 128.f), 1e-2f);
  effect.setCameraOnTargets();
  EXPECT_EQ(camera.followed(), nullptr);
  expectNear(camera.focus, Vector3(-128.f, 32.f, 0.f));
}

TEST_F(CastTest, CentresSpanTheBoundingBoxOfTheUnits) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& near = makeUnit(1, 0, 0, "Slime");  // (-64, -96), centre 96 up
  Game::Unit& far = makeUnit(1, 2, 4);            // (-192, 160), centre 128 up
  ScriptedCast& effect = scripted(makeAction(caster, {{&near, Kind::kDamage}, {&far, Kind::kMiss}}));
  Vector3 out;
  effect.getTargetCentre(out);
  expectNear(out, Vector3(-128.f, 32.f, 112.f));
  effect.getCastCentre(out);
  expectNear(out, Vector3(-64.f, 32.f, 112.f));
  effect.getFirstTargetPosition(out);
  expectNear(out, Vector3(-64.f, -96.f, 96.f));
  EXPECT_TRUE(effect.isAnyTargetHit());
}

TEST_F(CastTest, DirectionsAndPointsFollowTheTargetCentre) {
  Game::Unit& caster = makeUnit(0, 0, 2);  // (64, 32, 128)
  Game::Unit& target = makeUnit(1, 0, 2);  // (-64, 32, 128)
  ScriptedCast& effect = scripted(makeAction(caster, {{&target, Kind::kMiss}}));
  Vector3 out;
  effect.getTargetDirection(out);
  expectNear(out, Vector3(-1.f, 0.f, 0.f));
  effect.getSideDirection(out);  // (-1, 0, 0) x (0, 0, 1)
  expectNear(out, Vector3(0.f, 1.f, 0.f));
  effect.getUpDirection(out);  // (0, 1, 0) x (-1, 0, 0)
  expectNear(out, Vector3(0.f, 0.f, 1.f));
  effect.getPointNearCaster(out, 10.f, 20.f, 30.f);
  expectNear(out, Vector3(94.f, 42.f, 148.f));
  effect.getPointNearTargets(out, -10.f, 0.f, -30.f);
  expectNear(out, Vector3(-94.f, 22.f, 128.f));
  effect.getPointAlongPath(out, 0.f, 0.f, -0.5f);  // half way: 128 x 0.5
  expectNear(out, Vector3(0.f, 32.f, 128.f));
  EXPECT_FALSE(effect.isAnyTargetHit());
}

TEST_F(CastTest, ACasterOnTheTargetCentreTakesItsRightVector) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 0, 2);
  Vector3 spot;
  caster.getPosition(spot);
  target.node()->position.setValue(spot.x + 0.5f, spot.y, spot.z);
  ScriptedCast& effect = scripted(makeAction(caster, {{&target, Kind::kDamage}}));
  // The party faces the enemies' centre cell, along -x: its local x axis.
  Vector3 out;
  effect.getTargetDirection(out);
  expectNear(out, Vector3(-1.f, 0.f, 0.f));
  caster.faceToward(Vector3(spot.x, spot.y + 100.f, spot.z));
  effect.getTargetDirection(out);
  expectNear(out, Vector3(0.f, 1.f, 0.f));
}

TEST_F(CastTest, ACasterWithoutANodeStillGetsAFiniteDirection) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  caster.releaseSceneNode();
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  Vector3 spot;
  caster.getPosition(spot);
  EffectTestSupport::RecordingAction& action = *static_cast<EffectTestSupport::RecordingAction*>(effect.action());
  action.aim = spot;
  Vector3 out;
  effect.getTargetDirection(out);
  expectNear(out, Vector3(1.f, 0.f, 0.f));
  effect.getUpDirection(out);
  EXPECT_TRUE(std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.z));
}

TEST_F(CastTest, FacingTheTargetsTurnsTheCasterTowardTheirCentre) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 2, 4);
  ScriptedCast& effect = scripted(makeAction(caster, {{&target, Kind::kDamage}}));
  effect.faceTargets();
  Vector3 right;
  caster.getRightVector(right);
  Vector3 toTarget;
  effect.getTargetDirection(toTarget);
  toTarget.z = 0.f;
  toTarget *= 1.f / toTarget.length();
  expectNear(right, toTarget);
}

TEST_F(CastTest, AnEffectBoundToNoActionHasNoTargetsAndWorksAtTheOrigin) {
  ScriptedCast effect;
  EXPECT_EQ(effect.getFirstTarget(), nullptr);
  EXPECT_FALSE(effect.isAnyTargetHit());
  Vector3 out(5.f, 5.f, 5.f);
  effect.getTargetCentre(out);
  expectNear(out, Vector3(0.f, 0.f, 0.f));
  effect.getCastCentre(out);
  expectNear(out, Vector3(0.f, 0.f, 0.f));
  effect.getFirstTargetPosition(out);
  expectNear(out, Vector3(0.f, 0.f, 0.f));
  effect.getTargetDirection(out);
  expectNear(out, Vector3(1.f, 0.f, 0.f));
  effect.launchHitMarks();
  effect.flashHitTargets();
  effect.faceTargets();
  effect.setCameraYawBySide(30.f);
  EXPECT_EQ(effect.tick(), Cast::kRunning);
}

// Camera.

TEST_F(CastTest, TheLeadInTurnsTheHeadingBySide) {
  Game::Unit& party = makeUnit(0, 0, 2);
  Game::Unit& enemy = makeUnit(1, 0, 2);
  scripted(makeAction(party, {})).setLeadInCamera();
  scripted(makeAction(enemy, {})).setLeadInCamera();
  EXPECT_EQ(stage.calls, (std::vector<std::string>{"heading 10", "pitch 15", "heading -10", "pitch 15"}));
}

TEST_F(CastTest, TheCameraFollowsTheOnlyTargetElseLooksAtTheCentre) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& one = makeUnit(1, 0, 1);
  Game::Unit& two = makeUnit(1, 2, 3);
  ScriptedCast& single = scripted(makeAction(caster, {{&one, Kind::kMiss}}));
  single.setCameraOnTargets();
  EXPECT_EQ(camera.followed(), one.node());
  single.setCameraOnCaster();
  EXPECT_EQ(camera.followed(), caster.node());
  ScriptedCast& pair = scripted(makeAction(caster, {{&one, Kind::kMiss}, {&two, Kind::kMiss}}));
  pair.setCameraOnTargets();
  EXPECT_EQ(camera.followed(), nullptr);
  expectNear(camera.focus, Vector3(-128.f, 32.f, 128.f));
  pair.setCameraOnCast();
  expectNear(camera.focus, Vector3(-64.f, 32.f, 128.f));
}

TEST_F(CastTest, AFollowedNodeWhoseSlotWasReusedIsNotFollowed) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::SceneNode* node = caster.node();
  camera.follow(node);
  camera.focus = Vector3(1.f, 2.f, 3.f);
  node->release();
  Game::SceneNode* stranger = stage.pool.create(nullptr, static_cast<Engine::i32>(node->index()));
  ASSERT_EQ(stranger, node);
  EXPECT_EQ(camera.followed(), nullptr);
  expectNear(camera.target(), Vector3(1.f, 2.f, 3.f));
  EXPECT_EQ(caster.node(), nullptr);
}

// Hits and sparks.

TEST_F(CastTest, SparksAreHalfTheCountOfEachOfTheTwoModels) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {{&target, Kind::kDamage}}));
  Game::ResourceSet& set = Game::Database::instance()->maps().battle.commonAnimation("hitparticle")->set();
  effect.launchSparks(target, 1);
  EXPECT_EQ(activeNodesOf(set.getModel(0)), 0);
  EXPECT_EQ(activeNodesOf(set.getModel(1)), 0);
  effect.launchSparks(target, 16);
  EXPECT_EQ(activeNodesOf(set.getModel(0)), 8);
  EXPECT_EQ(activeNodesOf(set.getModel(1)), 8);
  Vector3 at;
  target.getPosition(at);
  for (const Game::SceneNode* node : nodesOf(stage.pool, set.getModel(1))) {
    expectNear(node->position.value(), at);
  }
  EXPECT_TRUE(stage.failures.empty());
}

TEST_F(CastTest, SparksOnTargetsReachEveryTarget) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  ScriptedCast& effect = scripted(*actions[2]);
  Game::ResourceSet& set = Game::Database::instance()->maps().battle.commonAnimation("hitparticle")->set();
  effect.launchSparksOnTargets(4);
  EXPECT_EQ(activeNodesOf(set.getModel(0)), 6);
  EXPECT_EQ(activeNodesOf(set.getModel(1)), 6);
}

TEST_F(CastTest, SpawnedNodesWaitTheDelayAloneWithoutAnOriginOrADivisor) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  Game::Model* mark = Game::Database::instance()->maps().battle.commonAnimation("hit")->find("main");
  Vector3 origin(0.f, 0.f, 0.f);
  Game::Effect::spawnOnHitTargets(*actions[0], mark, 3.f, &origin, 0.f);
  Game::Effect::spawnOnHitTargets(*actions[0], mark, 5.f, nullptr, 16.f);
  std::vector<float> times;
  for (const Game::SceneNode* node : nodesOf(stage.pool, mark)) {
    times.push_back(node->getTime());
  }
  EXPECT_EQ(times, (std::vector<float>{-3.f, -5.f}));
}

TEST_F(CastTest, LaunchedNodesTakeThePoolsFirstFreeSlot) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {{&target, Kind::kDamage}}));
  ASSERT_EQ(caster.node()->index(), 0u);
  caster.releaseSceneNode();
  EXPECT_EQ(effect.launchAnimation(nullptr)->index(), 0u);
  EXPECT_EQ(effect.launchAnimation(nullptr)->index(), 2u);
}

TEST_F(CastTest, WithoutThePoolNothingIsSpawnedOnTheTargets) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  battle.pool = nullptr;
  const int before = stage.pool.activeCount();
  Game::Effect::spawnOnHitTargets(*actions[2], nullptr, 1.f);
  EXPECT_EQ(stage.pool.activeCount(), before);
}

TEST_F(CastTest, TheHitMarkStandsAtTheUnitsCentreTurnedAndScaledLikeIt) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& target = makeUnit(1, 0, 2, "Slime");
  ScriptedCast& effect = scripted(makeAction(caster, {{&target, Kind::kMiss}}));
  effect.launchHitMarks();
  Game::Model* mark = Game::Database::instance()->maps().battle.commonAnimation("hit")->find("main");
  ASSERT_EQ(activeNodesOf(mark), 1);
  for (const Game::SceneNode* node : nodesOf(stage.pool, mark)) {
    expectNear(node->position.value(), Vector3(-64.f, 32.f, 96.f));
    expectNear(node->scale.value(), Vector3(0.75f, 0.75f, 0.75f));
    expectNear(node->rotation.value(), target.node()->rotation.value());
  }
}

TEST_F(CastTest, FlashesOverlayOnlyDamagedTargets) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  ScriptedCast& effect = scripted(*actions[2]);
  effect.flashHitTargets();
  EXPECT_EQ(actions[2]->target(0).node()->overlays().size(), 1u);
  EXPECT_EQ(actions[2]->target(1).node()->overlays().size(), 0u);
  EXPECT_EQ(actions[2]->target(2).node()->overlays().size(), 0u);
  EXPECT_TRUE(effect.isAnyTargetHit());
}

TEST_F(CastTest, SpawningAndOverlayingReachTheHitTargetsOnly) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(1);
  EffectTestSupport::RecordingAction& mixed = *actions[2];
  Game::Model* mark = Game::Database::instance()->maps().battle.commonAnimation("hit")->find("main");
  Vector3 origin;
  mixed.actor().getPosition(origin);
  Game::Effect::spawnOnHitTargets(mixed, mark, 2.f, &origin, 16.f);
  ASSERT_EQ(activeNodesOf(mark), 2);
  Vector3 third;
  mixed.target(2).getPosition(third);
  third -= origin;
  bool sawThird = false;
  for (int i = 0; i < stage.pool.capacity(); ++i) {
    const Game::SceneNode& node = stage.pool.node(i);
    Vector3 at;
    mixed.target(2).getPosition(at);
    if (node.isActive() && node.getModel() == mark && std::fabs(node.position.value().y - at.y) < 1e-3f) {
      EXPECT_NEAR(node.getTime(), -(2.f + third.length() / 16.f), 1e-3f);
      sawThird = true;
    }
  }
  EXPECT_TRUE(sawThird);
  Game::Animation flash =
      Game::Database::instance()->maps().battle.commonAnimation("ヒットフラッシュ")->set().findAnimation("main");
  Game::Effect::overlayOnHitTargets(mixed, flash, 4.f);
  EXPECT_EQ(mixed.target(0).node()->overlays().size(), 1u);
  EXPECT_EQ(mixed.target(1).node()->overlays().size(), 0u);
  EXPECT_EQ(mixed.target(2).node()->overlays().size(), 1u);
}

TEST_F(CastTest, MissingCommonPicturesPlaceNothingAndAreReported) {
  putCommonLists("", "", "");
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  ScriptedCast& effect = scripted(*actions[0]);
  const int before = stage.pool.activeCount();
  effect.launchHitMarks();
  effect.launchSparks(actions[0]->target(0), 16);
  effect.flashHitTargets();
  EXPECT_EQ(stage.pool.activeCount(), before);
  EXPECT_EQ(stage.failures, (std::vector<std::string>{"model hit/main", "model hitparticle/0", "model hitparticle/1",
                                                       "animation ヒットフラッシュ/main"}));
}

// Sounds.

TEST_F(CastTest, AnEmptyFolderLineLeavesTheWavesWithoutAFolder) {
  ScriptedCast effect;
  Game::NmlDocument list;
  list.loadFromText("src/sound/list.txt", "folder;\nx{ main m; }\n");
  effect.loadSounds(&list, "x");
  for (int i = 0; i < 500 && !effect.isSoundReady(); ++i) {
    usleep(2000);
  }
  const std::vector<std::string> opened = fs().openedForReading();
  EXPECT_NE(std::find(opened.begin(), opened.end(), "m.wav"), opened.end());
  EXPECT_EQ(std::find(opened.begin(), opened.end(), "/m.wav"), opened.end());
}

TEST_F(CastTest, SoundsOfTheSetAreReportedAndMissingKeysAreFailures) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  ScriptedCast& effect = scripted(makeAction(caster, {}));
  Game::NmlDocument list;
  list.loadFromText("src/sound/list.txt", "folder se;\nx{ main m; hit h; }\n");
  effect.loadSounds(&list, "x");
  effect.playSound("hit", 3);
  effect.startSound("main");
  effect.playSoundAt(1, 5);
  effect.playSound("charge");
  effect.playSoundAt(2);
  effect.playSoundAt(0);
  ASSERT_EQ(stage.sounds.size(), 6u);
  EXPECT_EQ(stage.sounds[5].key, "main");
  EXPECT_EQ(stage.sounds[5].index, 0);
  EXPECT_EQ(stage.sounds[0].index, 1);
  EXPECT_EQ(stage.sounds[0].delay, 3);
  EXPECT_EQ(stage.sounds[1].key, "main");
  EXPECT_EQ(stage.sounds[2].key, "hit");
  EXPECT_EQ(stage.sounds[3].index, -1);
  EXPECT_EQ(stage.sounds[4].index, -1);
  EXPECT_EQ(stage.failures, (std::vector<std::string>{"sound charge", "sound (index)"}));
}

}  // namespace
