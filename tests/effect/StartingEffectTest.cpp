#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
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
// the warning.
TEST_F(StartingEffectTest, EachKindAddsItsPartsAndAChainIndexOtherThanZeroAddsTheChainMark) {
  using Parts = std::vector<std::string>;
  const struct {
    const char* art;
    int chain;
    Parts parts;
  } kCases[] = {
      {"無", 0, {}},          {"技", 0, {"Action"}},           {"術", 0, {"MagicStart"}},
      {"札", 0, {"Spell"}},   {"注", 0, {"Caution"}},          {"技", 1, {"Action", "Chain"}},
      {"札", 2, {"Spell", "Chain"}}, {"無", 3, {"Chain"}},     {"無", -1, {}},
      {"技", -1, {}},         {"術", -1, {}},                  {"札", -1, {"Spell"}},
      {"注", -1, {"Caution"}},
  };
  for (const auto& lead : kCases) {
    Plain& effect = effectOf(lead.art);
    if (lead.chain < 0) {
      effect.prepareStartingEffect();
      ASSERT_NE(effect.startingEffect(), nullptr) << lead.art;
    } else {
      effect.startStartingEffect(lead.chain);
    }
    EXPECT_EQ(partsOf(effect), lead.parts) << lead.art << " " << lead.chain;
  }
}

TEST_F(StartingEffectTest, ALeadInIsDoneOneStepAfterItsLongestPart) {
  Plain& none = effectOf("無");
  none.prepareStartingEffect();  // kind 0, lead-in flag clear: built, empty
  EXPECT_EQ(none.startingEffect()->getMaxDuration(), 0);
  EXPECT_EQ(stepsToEnd(none), 1);
  EXPECT_EQ(none.startingEffect(), nullptr);

  Plain& action = effectOf("技");
  action.startStartingEffect(0);
  EXPECT_EQ(action.startingEffect()->getMaxDuration(), 16);
  EXPECT_EQ(stepsToEnd(action), 17);

  Plain& spell = effectOf("札");
  spell.startStartingEffect(1);
  action.startStartingEffect(0);  // made again after the last one went
  EXPECT_EQ(partsOf(action), std::vector<std::string>{"Action"});
  EXPECT_EQ(spell.startingEffect()->getMaxDuration(), 60);
  EXPECT_EQ(stepsToEnd(spell), 61);

  Plain& chained = effectOf("技");
  chained.startStartingEffect(2);
  EXPECT_EQ(stepsToEnd(chained), 31);
  Plain& warned = effectOf("注");
  warned.startStartingEffect(0);
  EXPECT_EQ(stepsToEnd(warned), 61);
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

TEST_F(StartingEffectTest, TheMarksTurnTheCasterToTheTargetsAndSitOnItAtItsScaleAndTurn) {
  Plain& effect = effectOf("技", "Slime");
  Game::Unit& caster = *effect.caster();
  caster.node()->rotation.setValue(0.f, 0.f, 0.f);  // facing +x, away from the enemies
  effect.startStartingEffect(0);
  effect.stepStartingEffect();
  const std::vector<SceneNode*> marks = nodesOf(mainOf("技"));
  ASSERT_EQ(marks.size(), 1u);
  // The enemies stand on the -x side: turned to face them, half round.
  EXPECT_NEAR(std::abs(caster.node()->rotation.value().z), 180.f, 1e-2f);
  Vector3 centre;
  caster.getPosition(centre);
  EXPECT_FLOAT_EQ(marks[0]->position.value().x, centre.x);
  EXPECT_FLOAT_EQ(marks[0]->position.value().z, centre.z);
  EXPECT_FLOAT_EQ(marks[0]->rotation.value().z, caster.node()->rotation.value().z);
  EXPECT_FLOAT_EQ(marks[0]->scale.value().x, 0.75f);

  Plain& magic = effectOf("術", "Slime");
  magic.startStartingEffect(0);
  magic.stepStartingEffect();
  EXPECT_EQ(nodesOf(mainOf("術")).size(), 1u);
  EXPECT_FLOAT_EQ(nodesOf(mainOf("術"))[0]->scale.value().y, 0.75f);
}

TEST_F(StartingEffectTest, TheSpellBannerIsAtScaleOneAndStartsItsSoundWithoutRestartingIt) {
  Plain& effect = effectOf("札", "Slime");
  effect.startStartingEffect(0);
  effect.stepStartingEffect();
  const std::vector<SceneNode*> banners = nodesOf(mainOf("スペル"));
  ASSERT_EQ(banners.size(), 1u);
  EXPECT_FLOAT_EQ(banners[0]->scale.value().x, 1.f);
  EXPECT_FLOAT_EQ(banners[0]->scale.value().z, 1.f);
  EXPECT_EQ(stage.calls, std::vector<std::string>{"battleSoundStart スペル発動 0"});
}

TEST_F(StartingEffectTest, TheWarningShowsWhereItsModelPutsItWithTheBannerAndItsSound) {
  Plain& effect = effectOf("注");
  effect.startStartingEffect(0);
  effect.stepStartingEffect();
  const std::vector<SceneNode*> warnings = nodesOf(mainOf("caution"));
  ASSERT_EQ(warnings.size(), 1u);
  const Vector3 at = warnings[0]->position.value();
  EXPECT_FLOAT_EQ(at.x, 0.f);
  EXPECT_FLOAT_EQ(at.y, 0.f);
  EXPECT_FLOAT_EQ(at.z, 0.f);
  EXPECT_EQ(nodesOf(mainOf("スペル")).size(), 1u);
  EXPECT_EQ(stage.count("battleSoundStart スペル発動 0"), 1);
}

TEST_F(StartingEffectTest, TheChainMarkGrowsWithTheIndexAtTheCastersFeetAndPlaysItsSoundAnew) {
  const struct {
    int index;
    float scale;
  } kChains[] = {{1, 1.5f * 0.75f}, {2, 2.f * 0.75f}, {3, 2.5f * 0.75f}};
  for (const auto& chain : kChains) {
    stage.pool.releaseAll();
    Plain& effect = effectOf("無", "Slime");
    const Vector3 facing = effect.caster()->node()->rotation.value();
    effect.startStartingEffect(chain.index);
    effect.stepStartingEffect();
    const std::vector<SceneNode*> marks = nodesOf(mainOf("連携"));
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_FLOAT_EQ(marks[0]->scale.value().x, chain.scale) << chain.index;
    EXPECT_FLOAT_EQ(marks[0]->scale.value().z, chain.scale) << chain.index;
    Vector3 feet;
    effect.caster()->getFrontPoint(feet);
    EXPECT_FLOAT_EQ(marks[0]->position.value().z, feet.z);
    EXPECT_FLOAT_EQ(marks[0]->position.value().x, feet.x);
    // The caster did not turn.
    EXPECT_FLOAT_EQ(effect.caster()->node()->rotation.value().z, facing.z);
  }
  EXPECT_EQ(stage.count("battleSound 連携 0"), 3);
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
