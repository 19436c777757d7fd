#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "live/Unit.h"
#include "effect/Cast.h"
#include "effect/StartingEffect.h"
#include "presentation/model/Model.h"
#include "presentation/scene/SceneNode.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;
namespace Lead = Game::Effect::StartingEffect;

// An effect that only plays its lead-in.
class Plain : public Game::Effect::Cast {
 public:
  Engine::i32 update() override { return frame(); }
};

class StartingEffectTest : public EffectTestSupport::EffectTest {
 protected:
  // One art of each effect kind: none, normal, magic, spell, caution.
  static constexpr const char* kKindArts = R"(
ability{ name 無; type 攻撃; range 近; area 単; animationName dummy; }
ability{ name 技; type 攻撃; range 近; area 単; animationName dummy; attack{ factor 物; } }
ability{ name 術; type 攻撃; range 近; area 単; animationName dummy; attack{ factor 術; } }
ability{ name 札; type 攻撃; range 近; area 単; animationName dummy; attack{ factor 術,符; } }
ability{ name 注; type 攻撃; range 近; area 単; animationName dummy; attack{ factor 術; } effect caution; }
)";

  void SetUp() override {
    EffectTest::SetUp();
    loadArts(kKindArts);
    for (const char* set : {"技", "術", "スペル", "caution", "連携"}) {
      fs().put(std::string("src/picture/battle/") + set + ".txt", "model{ name main; time 30; }\n");
    }
  }

  static Game::Model* mainOf(const char* set) {
    Game::BattlePictures& pictures = Game::Database::instance()->maps().battle;
    if (std::string(set) == "caution") {
      return pictures.list(Game::BattlePictures::kCaution).find("main");
    }
    if (std::string(set) == "連携") {
      return pictures.list(Game::BattlePictures::kLink).find("main");
    }
    return pictures.stateSet(set)->find("main");
  }

  std::vector<SceneNode*> nodesOf(const Game::Model* model) { return EffectTestSupport::nodesOf(stage.pool, model); }

  // An effect bound to an action of the art by a caster of the appearance
  // on the party side at one enemy across the field.
  Plain& effectOf(const char* art, const char* appearance = "Kessa") {
    Game::Unit& caster = makeUnit(0, 1, 2, appearance);
    caster.show(Game::UnitPose::kStand);
    Game::Unit& target = makeUnit(1, 1, 2);
    target.show(Game::UnitPose::kStand);
    mEffects.push_back(std::make_unique<Plain>());
    mEffects.back()->bind(makeAction(caster, {{&target, Kind::kDamage}}, art));
    return *mEffects.back();
  }

  // The kinds of the lead-in's parts in order.
  static std::vector<std::string> partsOf(const Game::Effect::Cast& effect) {
    std::vector<std::string> parts;
    const Lead::Container* lead = effect.startingEffect();
    for (int i = 0; lead && i < lead->partCount(); ++i) {
      const Lead::Base& part = lead->part(i);
      parts.push_back(dynamic_cast<const Lead::Caution*>(&part)      ? "Caution"
                      : dynamic_cast<const Lead::Spell*>(&part)      ? "Spell"
                      : dynamic_cast<const Lead::Action*>(&part)     ? "Action"
                      : dynamic_cast<const Lead::MagicStart*>(&part) ? "MagicStart"
                      : dynamic_cast<const Lead::Chain*>(&part)      ? "Chain"
                                                                     : "?");
    }
    return parts;
  }

  // Steps until the lead-in says it is done; the number of steps.
  static int stepsToEnd(Game::Effect::Cast& effect) {
    int steps = 1;
    while (effect.stepStartingEffect() == 0 && steps < 1000) {
      ++steps;
    }
    return steps;
  }

  using Kind = Game::Effect::ActionRecord::ResultKind;

 private:
  std::vector<std::unique_ptr<Plain>> mEffects;
};

// Chain -1: the lead-in only prepared, which adds only the spell banner or
// the warning. Either way it is done one step after its longest part, and
// then it goes.
TEST_F(StartingEffectTest, EachKindAddsItsPartsAndIsDoneOneStepAfterTheLongest) {
  using Parts = std::vector<std::string>;
  const struct {
    const char* art;
    int chain;
    Parts parts;
    int longest;
  } kCases[] = {
      {"無", 0, {}, 0},           {"技", 0, {"Action"}, 16},   {"術", 0, {"MagicStart"}, 16},
      {"札", 0, {"Spell"}, 60},   {"注", 0, {"Caution"}, 60},  {"技", 1, {"Action", "Chain"}, 30},
      {"札", 2, {"Spell", "Chain"}, 60}, {"無", 3, {"Chain"}, 30}, {"無", -1, {}, 0},
      {"技", -1, {}, 0},          {"術", -1, {}, 0},           {"札", -1, {"Spell"}, 60},
      {"注", -1, {"Caution"}, 60},
  };
  for (const auto& lead : kCases) {
    Plain& effect = effectOf(lead.art);
    if (lead.chain < 0) {
      effect.prepareStartingEffect();
    } else {
      effect.startStartingEffect(lead.chain);
    }
    ASSERT_NE(effect.startingEffect(), nullptr) << lead.art << " " << lead.chain;
    EXPECT_EQ(partsOf(effect), lead.parts) << lead.art << " " << lead.chain;
    EXPECT_EQ(effect.startingEffect()->getMaxDuration(), lead.longest) << lead.art << " " << lead.chain;
    EXPECT_EQ(stepsToEnd(effect), lead.longest + 1) << lead.art << " " << lead.chain;
    EXPECT_EQ(effect.startingEffect(), nullptr) << lead.art << " " << lead.chain;
  }
  // Made again after the last one went.
  Plain& action = effectOf("技");
  action.startStartingEffect(0);
  stepsToEnd(action);
  action.startStartingEffect(0);
  EXPECT_EQ(partsOf(action), std::vector<std::string>{"Action"});
}

TEST_F(StartingEffectTest, SpellActionAndChainTogetherAreDoneOnThe61stStep) {
  Game::Unit& caster = makeUnit(0, 1, 2);
  caster.show(Game::UnitPose::kStand);
  Lead::Container lead(stage, caster, Vector3(0.f, 0.f, 0.f));
  lead.addSpell();
  lead.addAction();
  lead.addChain(1);
  EXPECT_EQ(lead.getMaxDuration(), 60);
  for (int step = 1; step <= 60; ++step) {
    EXPECT_FALSE(lead.step()) << step;
  }
  EXPECT_TRUE(lead.step());
  // The parts started once, on the first step.
  EXPECT_EQ(nodesOf(mainOf("スペル")).size(), 1u);
  EXPECT_EQ(nodesOf(mainOf("技")).size(), 1u);
  EXPECT_EQ(nodesOf(mainOf("連携")).size(), 1u);
}

TEST_F(StartingEffectTest, WithoutALeadInTheStepAnswersDoneAtOnce) {
  Plain unbound;
  unbound.prepareStartingEffect();
  unbound.startStartingEffect(1);
  EXPECT_EQ(unbound.startingEffect(), nullptr);
  EXPECT_EQ(unbound.stepStartingEffect(), 1);
  Plain& bound = effectOf("技");
  EXPECT_EQ(bound.stepStartingEffect(), 1);
}

// After the first step, for a caster facing away from the enemies (+x; they
// stand on the -x side): where the one mark of the set stands from the
// caster's centre, its feet or the origin, its scale, its turn about z and
// the caster's; then the calls. The action's and the magic's marks turn the
// caster half round to face the enemies and sit on it at its scale and
// turn; the spell banner is at scale 1; the warning stands where its model
// puts it, with the banner; the chain mark grows with the index at the
// caster's feet, turns nothing and plays its sound anew. The spell banners
// are counted.
TEST_F(StartingEffectTest, EachMarkSitsOnTheCasterAtItsScaleAndTurn) {
  const struct {
    const char* art;
    const char* appearance;
    int chain;
    const char* set;
    const char* from;
    const char* look;
    const char* calls;
  } kMarks[] = {
      {"技", "Slime", 0, "技", "centre", "at 0 0 0 scale 0.75 0.75 0.75 turn 180 caster 180 banners 0", ""},
      {"術", "Slime", 0, "術", "centre", "at 0 0 0 scale 0.75 0.75 0.75 turn 180 caster 180 banners 0", ""},
      {"札", "Slime", 0, "スペル", "centre", "at 0 0 0 scale 1 1 1 turn 180 caster 180 banners 1",
       "battleSoundStart スペル発動 0"},
      {"注", "Kessa", 0, "caution", "origin", "at 0 0 0 scale 1 1 1 turn 0 caster 180 banners 1",
       "battleSoundStart スペル発動 0"},
      {"無", "Slime", 1, "連携", "feet", "at 0 0 0 scale 1.125 1.125 1.125 turn 0 caster 0 banners 0", "battleSound 連携 0"},
      {"無", "Slime", 2, "連携", "feet", "at 0 0 0 scale 1.5 1.5 1.5 turn 0 caster 0 banners 0", "battleSound 連携 0"},
      {"無", "Slime", 3, "連携", "feet", "at 0 0 0 scale 1.875 1.875 1.875 turn 0 caster 0 banners 0", "battleSound 連携 0"},
  };
  for (const auto& row : kMarks) {
    stage.pool.releaseAll();
    stage.calls.clear();
    Plain& effect = effectOf(row.art, row.appearance);
    Game::Unit& caster = *effect.caster();
    caster.node()->rotation.setValue(0.f, 0.f, 0.f);
    effect.startStartingEffect(row.chain);
    effect.stepStartingEffect();
    const std::vector<SceneNode*> marks = nodesOf(mainOf(row.set));
    ASSERT_EQ(marks.size(), 1u) << row.set << " " << row.chain;
    Vector3 from(0.f, 0.f, 0.f);
    if (std::string(row.from) == "centre") {
      caster.getPosition(from);
    } else if (std::string(row.from) == "feet") {
      caster.getFrontPoint(from);
    }
    const Vector3 at = difference(marks[0]->position.value(), from);
    const Vector3 scale = marks[0]->scale.value();
    const std::string look = "at " + numText(at.x) + " " + numText(at.y) + " " + numText(at.z) + " scale " +
                             numText(scale.x) + " " + numText(scale.y) + " " + numText(scale.z) + " turn " +
                             numText(marks[0]->rotation.value().z) + " caster " +
                             numText(caster.node()->rotation.value().z) + " banners " +
                             std::to_string(nodesOf(mainOf("スペル")).size());
    EXPECT_EQ(look, row.look) << row.set << " " << row.chain;
    EXPECT_EQ(stage.calls, row.calls[0] ? std::vector<std::string>{row.calls} : std::vector<std::string>{})
        << row.set << " " << row.chain;
  }
}

TEST_F(StartingEffectTest, APictureWithoutAMainIsReportedAndShowsNothing) {
  for (const char* set : {"技", "caution", "連携"}) {
    fs().put(std::string("src/picture/battle/") + set + ".txt", "model{ name other; time 30; }\n");
  }
  Plain& effect = effectOf("注");
  effect.startStartingEffect(1);
  Plain& action = effectOf("技");
  action.startStartingEffect(0);
  const int before = stage.pool.activeCount();
  effect.stepStartingEffect();
  action.stepStartingEffect();
  EXPECT_EQ(stage.pool.activeCount(), before + 1);  // the banner alone
  EXPECT_EQ(stage.failures, (std::vector<std::string>{"model caution/main", "model 連携/main", "model 技/main"}));
  EXPECT_EQ(stage.count("battleSound 連携 0"), 1);
}

}  // namespace
