// The effect's frame script, its modules and the moves made of several
// modules, the places and directions it works out, the camera, hits and
// sounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/Module.h"
#include "effect/module/Afterimage.h"
#include "effect/module/Move.h"
#include "effect/module/Step.h"
#include "effect/module/Transport.h"
#include "tests/effect/EffectFixture.h"
#include "tests/Await.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Game::Effect::ActionRecord;
using Game::Effect::Cast;
namespace Modules = Game::Effect::Module;
using Kind = Game::Effect::ActionRecord::ResultKind;

// An effect whose frame script is given by the test, with the script
// operations and the composite moves open to it.
class ScriptedCast : public Cast {
 public:
  Engine::i32 update() override {
    if (script) {
      script(*this);
    }
    return frame();
  }

  std::function<void(ScriptedCast&)> script;

  using Cast::addAfterimage;
  using Cast::addModule;
  using Cast::addSound;
  using Cast::applyResult;
  using Cast::dashToTarget;
  using Cast::faceTargets;
  using Cast::finish;
  using Cast::flashHitTargets;
  using Cast::getCastCentre;
  using Cast::getFirstTarget;
  using Cast::getFirstTargetPosition;
  using Cast::getTargetCentre;
  using Cast::getTargetDirection;
  using Cast::getTargetDistance;
  using Cast::getUpDirection;
  using Cast::isAnyTargetHit;
  using Cast::knockBackTargets;
  using Cast::launchAnimation;
  using Cast::launchHitMarks;
  using Cast::launchSparks;
  using Cast::playSound;
  using Cast::playSoundAt;
  using Cast::setCameraOnTargets;
  using Cast::setCameraYawBySide;
  using Cast::startSound;
  using Cast::throwFourProjectiles;
};

// A module that answers the same every update and counts its updates.
class FixedModule : public Modules::Module {
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

class CastTest : public EffectTestSupport::ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    fs().put("src/picture/animation/animation/残像.txt", "animation{ name main; time 16; }\n");
  }
  void TearDown() override {
    for (const std::unique_ptr<ScriptedCast>& effect : mScripted) {
      TestAwait::awaitTrue([&] { return effect->isSoundReady(); });  // the loader job reads the waves
    }
    mScripted.clear();
    ModuleTest::TearDown();
  }
  // The scripted effect bound to the action.
  ScriptedCast& scripted(ActionRecord& action) {
    mScripted.push_back(std::make_unique<ScriptedCast>());
    mScripted.back()->bind(action);
    mScripted.back()->setCamera(&camera);
    return *mScripted.back();
  }
  // The caster's feet at the origin, unturned; the targets' feet on the
  // enemy side at the points.
  ScriptedCast& effectOn(std::vector<std::pair<Vector3, Kind>> targets) {
    Game::Unit& caster = unitAt(Vector3(0.f, 0.f, 0.f));
    std::vector<std::pair<Game::Unit*, Kind>> units;
    for (const auto& [feet, kind] : targets) {
      units.emplace_back(&unitAt(feet, "Kessa", 1), kind);
    }
    return scripted(makeAction(caster, units));
  }

  template <class T>
  static T* moduleAt(const Cast& effect, int i) {
    return dynamic_cast<T*>(&effect.modules().at(i));
  }
  // The modules as "kind+delay", space apart.
  static std::string modulesText(const Cast& effect) {
    std::string out;
    for (int i = 0; i < effect.modules().count(); ++i) {
      const char* kind = moduleAt<Modules::Step>(effect, i)         ? "step"
                         : moduleAt<Modules::Move>(effect, i)       ? "move"
                         : moduleAt<Modules::Transport>(effect, i)  ? "transport"
                         : moduleAt<Modules::Afterimage>(effect, i) ? "afterimage"
                                                                    : "other";
      out += (out.empty() ? "" : " ") + std::string(kind) + "+" + std::to_string(effect.modules().at(i).mDelay);
    }
    return out;
  }
  // "target T cast C first F": the effect's centres and the first target's
  // place, each written over a stand-in.
  static std::string centres(ScriptedCast& effect) {
    std::array<Vector3, 3> out;
    out.fill(Vector3(9.f, 9.f, 9.f));
    effect.getTargetCentre(out[0]);
    effect.getCastCentre(out[1]);
    effect.getFirstTargetPosition(out[2]);
    return "target " + text(out[0]) + " cast " + text(out[1]) + " first " + text(out[2]);
  }
  // Ticks until the effect answers 2; the answers.
  static std::vector<int> tickToEnd(Cast& effect) {
    std::vector<int> answers;
    while (answers.size() < 1000 && (answers.empty() || answers.back() != Cast::kFinished)) {
      answers.push_back(effect.tick());
    }
    return answers;
  }

 private:
  std::vector<std::unique_ptr<ScriptedCast>> mScripted;
};

// Tick.

// A module added on frame 0 answering the same every update, after its
// delay; the script finishes on its frame. By hand, the ticks' answers and
// the module's updates by then: a delayed module is not updated before its
// delay nor once it is done; one answering 1 never holds the effect and
// runs on while the effect is kept.
TEST_F(CastTest, ModulesHoldTheTickAtOneOnlyWhileWaitingOrHolding) {
  struct Row {
    const char* what;
    Engine::i32 answer;
    int delay;
    int finishOn;
    std::vector<int> ticks;
    int updates;
  };
  std::vector<int> delayedTicks(64, Cast::kApplied);
  delayedTicks.insert(delayedTicks.end(), {Cast::kFinished, Cast::kFinished});
  const Row rows[] = {
      {"done after 64", Modules::Module::kDone, 64, 0, delayedTicks, 1},
      {"running", Modules::Module::kRunning, 0, 2, {Cast::kRunning, Cast::kRunning, Cast::kFinished, Cast::kFinished}, 4},
      {"holding", Modules::Module::kHolding, 0, 0, std::vector<int>(10, Cast::kApplied), 10},
      {"negative delay", Modules::Module::kDone, -1, 0, {Cast::kFinished}, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    int updates = 0;
    ScriptedCast& effect = scripted(makeAction(makeUnit(0, 0, 2), {}));
    effect.script = [&row, &updates](ScriptedCast& self) {
      if (self.frame() == 0) {
        self.addModule(std::make_unique<FixedModule>(row.answer, &updates))->mDelay = row.delay;
      }
      if (self.frame() == row.finishOn) {
        self.finish();
      }
    };
    std::vector<int> ticks;
    for (std::size_t i = 0; i < row.ticks.size(); ++i) {
      ticks.push_back(effect.tick());
    }
    EXPECT_EQ(ticks, row.ticks);
    EXPECT_EQ(updates, row.updates);
  }
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
  std::string seen;  // "answer/results shown" after each tick
  for (int i = 0; i < 4; ++i) {
    const int answer = effect.tick();
    seen += std::to_string(answer) + "/" + std::to_string(action.resultsShown) + " ";
  }
  EXPECT_EQ(seen, "0/0 1/1 1/2 2/3 ");
  EXPECT_EQ(effect.state(), Cast::kFinished);
}

TEST_F(CastTest, TheCaptionShowsOnceOnTheFirstFrameWithTheCastersSideAndOnlyWithText) {
  Game::Unit& caster = makeUnit(1, 0, 2);
  ScriptedCast& silent = scripted(makeAction(caster, {}));
  silent.tick();
  EXPECT_TRUE(stage.calls.empty());
  EffectTestSupport::RecordingAction& action = makeAction(caster, {});
  action.captionText = "斬る";
  ScriptedCast& effect = scripted(action);
  tickToEnd(effect);  // the script never finishes: a thousand ticks
  EXPECT_EQ(stage.calls, std::vector<std::string>{"caption 斬る 1"});
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
  EXPECT_EQ(centres(effect), "target -128,32,0 cast -32,32,64 first -128,32,0");
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
  EXPECT_EQ(centres(effect), "target -128,32,112 cast -64,32,112 first -64,-96,96");
  EXPECT_TRUE(effect.isAnyTargetHit());
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
  // A whole unit away it no longer stands on the centre: the way to it.
  target.node()->position.setValue(spot.x, spot.y + 1.f, spot.z);
  effect.getTargetDirection(out);
  expectNear(out, Vector3(0.f, 1.f, 0.f));
  target.node()->position.setValue(spot.x + 0.5f, spot.y, spot.z);
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

TEST_F(CastTest, AnEffectBoundToNoActionHasNoTargetsAndWorksAtTheOrigin) {
  ScriptedCast effect;
  EXPECT_EQ(effect.getFirstTarget(), nullptr);
  EXPECT_FALSE(effect.isAnyTargetHit());
  EXPECT_EQ(centres(effect), "target 0,0,0 cast 0,0,0 first 0,0,0");
  Vector3 out;
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

// Without an origin or a divisor the delay alone; without the pool nothing.
TEST_F(CastTest, SpawnedNodesWaitTheDelayAloneWithoutAnOriginOrADivisor) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  Game::Model* mark = common("hit");
  Vector3 origin(0.f, 0.f, 0.f);
  Game::Effect::spawnOnHitTargets(*actions[0], mark, 3.f, &origin, 0.f);
  Game::Effect::spawnOnHitTargets(*actions[0], mark, 5.f, nullptr, 16.f);
  const std::vector<SceneNode*> marks = nodesOf(mark);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(number(marks[0]->getTime()) + " " + number(marks[1]->getTime()), "-3 -5");
  battle.pool = nullptr;
  Game::Effect::spawnOnHitTargets(*actions[2], nullptr, 1.f);
  EXPECT_EQ(nodesOf(nullptr).size(), 0u);
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

TEST_F(CastTest, SpawningAndOverlayingReachTheHitTargetsOnly) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(1);
  EffectTestSupport::RecordingAction& mixed = *actions[2];
  Game::Model* mark = common("hit");
  const Vector3 origin = positionOf(mixed.actor());
  Game::Effect::spawnOnHitTargets(mixed, mark, 2.f, &origin, 16.f);
  const std::vector<SceneNode*> marks = nodesOf(mark);
  ASSERT_EQ(marks.size(), 2u);  // on targets 0 and 2
  expectNear(marks[1]->position.value(), positionOf(mixed.target(2)));
  EXPECT_NEAR(marks[1]->getTime(), -(2.f + distance(positionOf(mixed.target(2)), origin) / 16.f), 1e-3f);
  Game::Animation flash =
      Game::Database::instance()->maps().battle.commonAnimation("ヒットフラッシュ")->set().findAnimation("main");
  Game::Effect::overlayOnHitTargets(mixed, flash, 4.f);
  EXPECT_EQ(mixed.target(0).node()->overlays().size(), 1u);
  EXPECT_EQ(mixed.target(1).node()->overlays().size(), 0u);
  EXPECT_EQ(mixed.target(2).node()->overlays().size(), 1u);
}

// Half the count of each of the two spark models, at the unit's centre.
TEST_F(CastTest, SparksAreHalfTheCountOfEachModelAtTheUnit) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  Game::Unit& target = actions[0]->target(0);
  scripted(*actions[0]).launchSparks(target, 16);
  const std::vector<SceneNode*> first = nodesNamed(stage.pool, "a");
  ASSERT_EQ(std::to_string(first.size()) + " " + std::to_string(nodesNamed(stage.pool, "b").size()), "8 8");
  EXPECT_EQ(text(first[7]->position.value()), text(positionOf(target)));
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
  ASSERT_TRUE(TestAwait::awaitTrue([&] { return effect.isSoundReady(); }));
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
  EXPECT_EQ(stage.soundList(), "hit:1+3 main:0+0 hit:1+5 charge:-1+0 (index):-1+0 main:0+0");
  EXPECT_EQ(stage.failures, (std::vector<std::string>{"sound charge", "sound (index)"}));
}

// Moves made of several modules.

// Knock-back: a step back of 64 over 16 frames (68 in 17 updates), then,
// after 64 frames, home in 16.
TEST_F(CastTest, KnockedBackTargetsFaceThePointGiveWayAndComeHomeAfter64Frames) {
  ScriptedCast& effect = effectOn({{Vector3(-300.f, 0.f, 0.f), Kind::kDamage}, {Vector3(-300.f, 200.f, 0.f), Kind::kMiss}});
  Game::Unit& first = effect.action()->target(0);
  Game::Unit& second = effect.action()->target(1);
  effect.script = [](ScriptedCast& self) {
    if (self.frame() == 0) {
      self.knockBackTargets(Vector3(0.f, 0.f, 0.f));
    }
    self.finish();
  };
  std::vector<int> answers{effect.tick()};
  EXPECT_EQ(modulesText(effect), "step+0 move+63 step+0 move+63");  // one tick spent
  for (int i = 1; i < 17; ++i) {
    answers.push_back(effect.tick());
  }
  // Facing the origin (+x), stepped back along -x.
  EXPECT_EQ(text(feetOf(first)), "-368,0,0");
  for (int tick = 18; tick <= 80; ++tick) {
    answers.push_back(effect.tick());
  }
  EXPECT_EQ(answers, std::vector<int>(80, Cast::kApplied));
  EXPECT_EQ(effect.tick(), Cast::kFinished);  // the 81st
  Vector3 home;
  first.getHomePosition(home);
  EXPECT_EQ(text(feetOf(first)), text(home));
  second.getHomePosition(home);
  EXPECT_EQ(text(feetOf(second)), text(home));
}

TEST_F(CastTest, AnAfterimageLaysTheFadingOfItsSetOnEachCopyAfterItsDelay) {
  ScriptedCast& effect = effectOn({});
  effect.addAfterimage(3, 4, 0);
  EXPECT_EQ(modulesText(effect), "afterimage+3");
  effect.script = [](ScriptedCast& self) { self.finish(); };
  EXPECT_EQ(tickToEnd(effect), (std::vector<int>{1, 1, 1, 2}));  // the copies never hold
  std::vector<SceneNode*> all = nodesOf(effect.caster()->node()->getModel());
  ASSERT_EQ(all.size(), 2u);  // the node and the copy of the first update
  const SceneNode& copy = *(all[0] == effect.caster()->node() ? all[1] : all[0]);
  EXPECT_EQ(copy.getLifetime(), 16);
  ASSERT_EQ(copy.overlays().size(), 1u);
  EXPECT_STREQ(copy.overlays()[0].animation.name(), "main");
  EXPECT_TRUE(stage.failures.empty());
  for (int i = 0; i < 4; ++i) {
    effect.tick();
  }
  EXPECT_EQ(nodesOf(effect.caster()->node()->getModel()).size(), 6u);  // a copy every update
}

TEST_F(CastTest, AnAfterimageWithoutItsFadingIsReported) {
  fs().put("src/picture/animation/animation/残像.txt", "");
  ScriptedCast& effect = effectOn({});
  effect.addAfterimage(0, 4, 1);
  EXPECT_EQ(stage.failures, std::vector<std::string>{"animation 残像/main"});
}

// Dash over 110 frames: 30 frames' wind-up, then 80 frames to stop short of
// target 0 by (256 + 256) · 1/2, copies every 80/20/2 = 2 frames.
TEST_F(CastTest, ADashWaitsThirtyFramesThenLeapsShortOfTheTargetLeavingCopies) {
  ScriptedCast& effect = effectOn({{Vector3(-600.f, 0.f, 0.f), Kind::kDamage}});
  effect.dashToTarget(110, 1.f);
  effect.script = [](ScriptedCast& self) { self.finish(); };
  for (int i = 0; i < 30; ++i) {
    effect.tick();
  }
  EXPECT_EQ(text(feetOf(*effect.caster())), "0,0,0");  // still winding up
  EXPECT_EQ(tickToEnd(effect).size(), 81u);           // 80 updates and the one that ends
  EXPECT_NEAR(feetOf(*effect.caster()).x, -344.f, 1e-2f);
  // The caster's and the target's nodes (of the same picture) and 41 copies.
  EXPECT_EQ(nodesOf(effect.caster()->node()->getModel()).size(), 43u);
}

// Four throws from the caster's centre (0, 0, 128) at the target's centre
// (-400, 0, 128), 16 frames apart. The start velocity v: the direction
// (-1, 0, 0) turned 135 + 30·i degrees about z, raised by 0.5, times 12;
// through the target at 64 frames, on to target - 32·(vx, vy, -vz) at 96.
TEST_F(CastTest, FourProjectilesFanOutPassTheTargetAt64AndSoundOnLaunchAndImpact) {
  ScriptedCast& effect = effectOn({{Vector3(-400.f, 0.f, 0.f), Kind::kDamage}});
  effect.addSound("throw", "a");
  effect.addSound("impact", "b");
  effect.throwFourProjectiles(shot(), "throw", "impact");
  const std::vector<SceneNode*> shots = nodesOf(shot());
  ASSERT_EQ(shots.size(), 4u);
  EXPECT_EQ(modulesText(effect), "transport+0 transport+16 transport+32 transport+48");
  const char* kPaths[] = {
      "v 8.49,-8.49,6 end -671.53,271.53,320",
      "v 11.59,-3.11,6 end -770.92,99.39,320",
      "v 11.59,3.11,6 end -770.92,-99.39,320",
      "v 8.49,8.49,6 end -671.53,-271.53,320",
  };
  for (int i = 0; i < 4; ++i) {
    const Game::Vec3Curve& path = moduleAt<Modules::Transport>(effect, i)->path();
    EXPECT_EQ(text(path.valueAt(0.f)), "0,0,128");
    EXPECT_EQ(text(path.valueAt(64.f)), "-400,0,128");
    EXPECT_EQ("v " + text(path.velocityAt(0.f)) + " end " + text(path.valueAt(96.f)), kPaths[i]);
    EXPECT_FLOAT_EQ(shots[static_cast<std::size_t>(i)]->getTime(), -16.f * static_cast<float>(i));
  }
  EXPECT_EQ(stage.soundList(),
            "throw:0+0 impact:1+64 throw:0+16 impact:1+80 throw:0+32 impact:1+96 throw:0+48 impact:1+112");
}

TEST_F(CastTest, ProjectilesThatHitNothingMakeNoImpactSound) {
  ScriptedCast& effect = effectOn({{Vector3(-400.f, 0.f, 0.f), Kind::kMiss}});
  effect.addSound("throw", "a");
  effect.throwFourProjectiles(shot(), "throw", "impact");
  EXPECT_EQ(stage.soundList(), "throw:0+0 throw:0+16 throw:0+32 throw:0+48");
}

}  // namespace
