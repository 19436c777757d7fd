// The moves effects make of several modules, and how modules hold an
// effect's tick.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/math/MathHelper.h"
#include "data/Unit.h"
#include "effect/Cast.h"
#include "effect/module/Afterimage.h"
#include "effect/module/Launch.h"
#include "effect/module/Move.h"
#include "effect/module/RandomAngle.h"
#include "effect/module/Step.h"
#include "effect/module/Transport.h"
#include "tests/effect/module/ModuleFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
using Game::Effect::Cast;
namespace Modules = Game::Effect::Module;
using Kind = Game::Effect::ActionRecord::ResultKind;

// An effect whose frame script the test gives, with the composite moves
// open to it.
class Mover : public Cast {
 public:
  Engine::i32 update() override {
    if (script) {
      script(*this);
    }
    return frame();
  }
  std::function<void(Mover&)> script;

  using Cast::addAfterimage;
  using Cast::addModule;
  using Cast::addSound;
  using Cast::dashToTarget;
  using Cast::finish;
  using Cast::knockBackTargets;
  using Cast::stepCaster;
  using Cast::throwFourProjectiles;
};

class CastMotionTest : public EffectTestSupport::ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    fs().put("src/picture/animation/animation/残像.txt", "animation{ name main; time 16; }\n");
  }
  void TearDown() override {
    for (const std::unique_ptr<Mover>& effect : mEffects) {
      for (int i = 0; i < 500 && !effect->isSoundReady(); ++i) {
        usleep(2000);  // the loader job reads the waves meanwhile
      }
    }
    mEffects.clear();
    ModuleTest::TearDown();
  }

  // The caster's feet at the origin, unturned; the targets' feet on the
  // enemy side along -x.
  Mover& effectOn(std::vector<std::pair<Vector3, Kind>> targets) {
    Game::Unit& caster = unitAt(Vector3(0.f, 0.f, 0.f));
    std::vector<std::pair<Game::Unit*, Kind>> units;
    for (const auto& [feet, kind] : targets) {
      units.emplace_back(&unitAt(feet, "Kessa", 1), kind);
    }
    mEffects.push_back(std::make_unique<Mover>());
    mEffects.back()->bind(makeAction(caster, units));
    return *mEffects.back();
  }

  template <class T>
  static T* moduleAt(const Cast& effect, int i) {
    return dynamic_cast<T*>(&effect.modules().at(i));
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
  std::vector<std::unique_ptr<Mover>> mEffects;
};

// A module that would end at once: a random turn of a node already gone.
TEST_F(CastMotionTest, AModuleDelayedBy64FramesHoldsTheTickAtOneAfterFinish) {
  Mover& effect = effectOn({});
  SceneNode* gone = shotAt(Vector3(0.f, 0.f, 0.f));
  gone->release();
  effect.script = [gone](Mover& self) {
    if (self.frame() == 0) {
      self.addModule(std::make_unique<Modules::RandomAngle>(gone, true, true, true))->mDelay = 64;
    }
    self.finish();
  };
  const std::vector<int> answers = tickToEnd(effect);
  ASSERT_EQ(answers.size(), 65u);
  for (std::size_t i = 0; i < 64; ++i) {
    EXPECT_EQ(answers[i], Cast::kApplied) << i;
  }
}

TEST_F(CastMotionTest, TrailsOfIntervalOneSpawnEveryTickAndNeverHoldTheEffect) {
  Mover& effect = effectOn({});
  SceneNode* source = shotAt(Vector3(0.f, 0.f, 0.f));
  effect.script = [&](Mover& self) {
    if (self.frame() == 0) {
      self.addModule(std::make_unique<Modules::Launch>(source, trail(), 1));
      self.addAfterimage(0, 100, 1);
    }
    if (self.frame() == 2) {
      self.finish();
    }
  };
  EXPECT_EQ(effect.tick(), Cast::kRunning);
  EXPECT_EQ(effect.tick(), Cast::kRunning);
  EXPECT_EQ(effect.tick(), Cast::kFinished);
  EXPECT_EQ(nodesOf(trail()).size(), 3u);
  // The caster's copies: its own node and one more each tick.
  EXPECT_EQ(nodesOf(effect.caster()->node()->getModel()).size(), 4u);
}

TEST_F(CastMotionTest, StepCasterHopsTheCasterAndHandsTheModuleBack) {
  Mover& effect = effectOn({});
  Modules::Step* step = effect.stepCaster(0.f, 40.f, 4);
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(&effect.modules().at(0), step);
  step->mDelay = 2;
  effect.script = [](Mover& self) { self.finish(); };
  tickToEnd(effect);
  Vector3 centre;
  effect.caster()->getPosition(centre);
  EXPECT_NEAR(centre.x, 50.f, 1e-3f);  // 40 · 5/4
  EXPECT_NEAR(centre.z, 128.f, 1e-3f);
}

// Knock-back: a step back of 64 over 16 frames (68 in 17 updates), then,
// after 64 frames, home in 16.
TEST_F(CastMotionTest, KnockedBackTargetsFaceThePointGiveWayAndComeHomeAfter64Frames) {
  Mover& effect = effectOn({{Vector3(-300.f, 0.f, 0.f), Kind::kDamage}, {Vector3(-300.f, 200.f, 0.f), Kind::kMiss}});
  Game::Unit& first = effect.action()->target(0);
  Game::Unit& second = effect.action()->target(1);
  effect.script = [](Mover& self) {
    if (self.frame() == 0) {
      self.knockBackTargets(Vector3(0.f, 0.f, 0.f));
    }
    self.finish();
  };
  std::vector<int> answers{effect.tick()};
  ASSERT_EQ(effect.modules().count(), 4);
  EXPECT_NE(moduleAt<Modules::Step>(effect, 0), nullptr);
  EXPECT_NE(moduleAt<Modules::Move>(effect, 1), nullptr);
  EXPECT_NE(moduleAt<Modules::Step>(effect, 2), nullptr);
  EXPECT_NE(moduleAt<Modules::Move>(effect, 3), nullptr);
  EXPECT_EQ(effect.modules().at(0).mDelay, 0);
  EXPECT_EQ(effect.modules().at(1).mDelay, 63);  // one tick spent
  for (int i = 1; i < 17; ++i) {
    answers.push_back(effect.tick());
  }
  // Facing the origin (+x), stepped back along -x.
  EXPECT_NEAR(feetOf(first).x, -368.f, 1e-2f);
  EXPECT_NEAR(feetOf(first).y, 0.f, 1e-2f);
  for (int tick = 18; tick <= 80; ++tick) {
    answers.push_back(effect.tick());
  }
  EXPECT_EQ(answers, std::vector<int>(80, Cast::kApplied));
  EXPECT_EQ(effect.tick(), Cast::kFinished);  // the 81st
  Vector3 home;
  first.getHomePosition(home);
  EXPECT_NEAR(feetOf(first).x, home.x, 1e-2f);
  EXPECT_NEAR(feetOf(first).y, home.y, 1e-2f);
  second.getHomePosition(home);
  EXPECT_NEAR(feetOf(second).y, home.y, 1e-2f);
}

TEST_F(CastMotionTest, AnAfterimageLaysTheFadingOfItsSetOnEachCopyAfterItsDelay) {
  Mover& effect = effectOn({});
  effect.addAfterimage(3, 4, 0);
  auto* copies = moduleAt<Modules::Afterimage>(effect, 0);
  ASSERT_NE(copies, nullptr);
  EXPECT_EQ(copies->mDelay, 3);
  effect.script = [](Mover& self) { self.finish(); };
  const std::vector<int> answers = tickToEnd(effect);
  EXPECT_EQ(answers, (std::vector<int>{1, 1, 1, 2}));  // the copies never hold
  std::vector<SceneNode*> all = nodesOf(effect.caster()->node()->getModel());
  EXPECT_EQ(all.size(), 2u);  // the node and the copy of the first update
  for (SceneNode* node : all) {
    if (node != effect.caster()->node()) {
      EXPECT_EQ(node->getLifetime(), 16);
      ASSERT_EQ(node->overlays().size(), 1u);
      EXPECT_STREQ(node->overlays()[0].animation.name(), "main");
    }
  }
  EXPECT_TRUE(stage.failures.empty());
  for (int i = 0; i < 4; ++i) {
    effect.tick();
  }
  EXPECT_EQ(nodesOf(effect.caster()->node()->getModel()).size(), 6u);  // a copy every update
}

TEST_F(CastMotionTest, AnAfterimageWithoutItsFadingIsReported) {
  fs().put("src/picture/animation/animation/残像.txt", "");
  Mover& effect = effectOn({});
  effect.addAfterimage(0, 4, 1);
  EXPECT_EQ(stage.failures, std::vector<std::string>{"animation 残像/main"});
}

// Dash over 110 frames: 30 frames' wind-up, then 80 frames to stop short of
// target 0 by (256 + 256) · 1/2, copies every 80/20/2 = 2 frames.
TEST_F(CastMotionTest, ADashWaitsThirtyFramesThenLeapsShortOfTheTargetLeavingCopies) {
  Mover& effect = effectOn({{Vector3(-600.f, 0.f, 0.f), Kind::kDamage}});
  effect.dashToTarget(110, 1.f);
  ASSERT_EQ(effect.modules().count(), 2);
  EXPECT_NE(moduleAt<Modules::Afterimage>(effect, 0), nullptr);
  EXPECT_NE(moduleAt<Modules::Move>(effect, 1), nullptr);
  EXPECT_EQ(effect.modules().at(0).mDelay, 30);
  EXPECT_EQ(effect.modules().at(1).mDelay, 30);
  effect.script = [](Mover& self) { self.finish(); };
  for (int i = 0; i < 70; ++i) {
    effect.tick();
  }
  // 40 updates of 80: half way, at the top of a hop of 512.
  EXPECT_NEAR(feetOf(*effect.caster()).x, -172.f, 1e-2f);
  EXPECT_NEAR(feetOf(*effect.caster()).z, 512.f, 1e-2f);
  const std::vector<int> rest = tickToEnd(effect);
  EXPECT_EQ(rest.size(), 41u);  // 40 more updates and the one that ends
  EXPECT_NEAR(feetOf(*effect.caster()).x, -344.f, 1e-2f);
  EXPECT_NEAR(feetOf(*effect.caster()).z, 0.f, 1e-2f);
  // The caster's and the target's nodes (of the same picture) and 41 copies.
  EXPECT_EQ(nodesOf(effect.caster()->node()->getModel()).size(), 43u);
}

TEST_F(CastMotionTest, ADashWithoutATargetOnlyLeavesCopies) {
  Mover& effect = effectOn({});
  effect.dashToTarget(70, 1.f);
  EXPECT_EQ(effect.modules().count(), 1);
}

// Four throws from the caster's centre (0, 0, 128) at the target's centre
// (-400, 0, 128): through it at 64 frames, on to target - 32·w at 96, w the
// start velocity with its height negated; 16 frames apart.
TEST_F(CastMotionTest, FourProjectilesFanOutPassTheTargetAt64AndSoundOnLaunchAndImpact) {
  Mover& effect = effectOn({{Vector3(-400.f, 0.f, 0.f), Kind::kDamage}});
  effect.addSound("throw", "a");
  effect.addSound("impact", "b");
  effect.throwFourProjectiles(shot(), "throw", "impact");
  const std::vector<SceneNode*> shots = nodesOf(shot());
  ASSERT_EQ(shots.size(), 4u);
  ASSERT_EQ(effect.modules().count(), 4);
  const Vector3 target(-400.f, 0.f, 128.f);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(shots[static_cast<std::size_t>(i)]->getTime(), -16.f * static_cast<float>(i));
    EXPECT_EQ(effect.modules().at(i).mDelay, 16 * i);
    auto* throwing = moduleAt<Modules::Transport>(effect, i);
    ASSERT_NE(throwing, nullptr);
    const Game::Vec3Curve& path = throwing->path();
    const Vector3 start = path.valueAt(0.f);
    EXPECT_NEAR(start.x, 0.f, 1e-2f);
    EXPECT_NEAR(start.z, 128.f, 1e-2f);
    const Vector3 through = path.valueAt(64.f);
    EXPECT_NEAR(through.x, target.x, 1e-2f);
    EXPECT_NEAR(through.y, target.y, 1e-2f);
    EXPECT_NEAR(through.z, target.z, 1e-2f);
    // The start velocity: the direction (-1, 0, 0) turned 135 + 30·i about
    // z, raised by 0.5, times 12; the end 32 of it past the target with its
    // rise mirrored.
    const Vector3 v = path.velocityAt(0.f);
    const float angle = 135.f + 30.f * static_cast<float>(i);
    EXPECT_NEAR(v.x, -12.f * std::cos(angle * 3.14159265f / 180.f), 1e-2f) << i;
    EXPECT_NEAR(std::abs(v.y), 12.f * std::abs(std::sin(angle * 3.14159265f / 180.f)), 1e-2f) << i;
    EXPECT_NEAR(v.z, 6.f, 1e-2f);
    const Vector3 end = path.valueAt(96.f);
    EXPECT_NEAR(end.x, target.x - 32.f * v.x, 1e-2f);
    EXPECT_NEAR(end.y, target.y - 32.f * v.y, 1e-2f);
    EXPECT_NEAR(end.z, 128.f + 192.f, 1e-2f);
  }
  // The fan turns one way: the second throw's sideways start is the first's
  // turned by 30 degrees.
  const Vector3 first = moduleAt<Modules::Transport>(effect, 0)->path().velocityAt(0.f);
  const Vector3 second = moduleAt<Modules::Transport>(effect, 1)->path().velocityAt(0.f);
  EXPECT_NEAR(first.x * second.x + first.y * second.y, 144.f * std::cos(30.f * 3.14159265f / 180.f), 1e-2f);
  std::vector<std::string> sounds;
  for (const auto& sound : stage.sounds) {
    sounds.push_back(sound.key + " " + std::to_string(sound.delay));
  }
  EXPECT_EQ(sounds, (std::vector<std::string>{"throw 0", "impact 64", "throw 16", "impact 80", "throw 32",
                                                "impact 96", "throw 48", "impact 112"}));
}

TEST_F(CastMotionTest, ProjectilesThatHitNothingMakeNoImpactSound) {
  Mover& effect = effectOn({{Vector3(-400.f, 0.f, 0.f), Kind::kMiss}});
  effect.addSound("throw", "a");
  effect.throwFourProjectiles(shot(), "throw", "impact");
  ASSERT_EQ(stage.sounds.size(), 4u);
  for (const auto& sound : stage.sounds) {
    EXPECT_EQ(sound.key, "throw");
  }
}

}  // namespace
