// Random encounters: the odds by arrivals, the start modes by abilities, the
// barrier's steps, and the battle a roll sets up; the transition's frames.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/Battle.h"
#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "field/EncounterRoll.h"
#include "field/BossAppearance.h"
#include "field/EncounterTransition.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/scene/SceneRenderer.h"
#include "tests/Services.h"
#include "tests/field/FieldFixture.h"

namespace {

using Engine::i32;
using Game::BattleSettings;
using Game::FieldAbilities;
using Game::RandomGenerator;
using Game::Field::EncounterOdds;
using Game::Field::EncounterTransition;

// A seed whose first getFloat(1) lies in [low, high). Seeds near each other
// start alike, so they are spread over the whole range.
i32 seedDrawing(float low, float high) {
  for (Engine::u32 i = 1; i < 200000; ++i) {
    const i32 seed = static_cast<i32>(i * 2654435761u);
    RandomGenerator random(seed);
    const float r = random.getFloat(1.f);
    if (r >= low && r < high) {
      return seed;
    }
  }
  ADD_FAILURE() << "no seed draws in [" << low << ", " << high << ")";
  return 1;
}

TEST(EncounterRules, SaturateTheOddsAndTheStartModes) {
  struct Case {
    float x, top, knee, value;
  } const cases[] = {
      {3.f, 2.f, 4.f, 0.72f},   // 2·9 / (16 + 9)
      {-4.f, 1.f, 4.f, 0.5f},   // the sign of x is lost
      {0.f, 1.f, 32.f, 0.f},    //
      {5.f, 0.7f, 0.f, 0.7f},   // no knee: the top at once
      {0.f, 0.7f, 0.f, 0.7f},   //
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(Game::MathHelper::saturate(c.x, c.top, c.knee), c.value) << c.x << " " << c.knee;
  }
  // a = 32 / frequency arrivals pass without a battle; then the chance is
  // f(b − a, 1, 32) and the bonus f(b − a − 1, 0.1, 10), f(x, A, k) = A·x²/(k² + x²).
  struct Row {
    i32 arrivals;
    float frequency;
    bool possible;
    float chance, bonus;
  } const rows[] = {
      {32, 1.f, false, 0.f, 0.1f / 101.f},
      {33, 1.f, true, 1.f / 1025.f, 0.f},
      {64, 1.f, true, 0.5f, 0.1f * 961.f / 1061.f},
      {96, 1.f, true, 0.8f, 0.1f * 3969.f / 4069.f},
      {16, 2.f, false, 0.f, 0.1f / 101.f},
      {17, 2.f, true, 1.f / 1025.f, 0.f},
      {1000, 0.f, false, 0.f, 0.f},
      {1000, -1.f, false, 0.f, 0.f},
  };
  for (const Row& c : rows) {
    const EncounterOdds odds = Game::Field::encounterOdds(c.arrivals, c.frequency);
    EXPECT_EQ(odds.possible, c.possible) << c.arrivals << " at " << c.frequency;
    EXPECT_FLOAT_EQ(odds.chance, c.chance) << c.arrivals << " at " << c.frequency;
    EXPECT_NEAR(odds.levelBonus, c.bonus, 1e-7f) << c.arrivals << " at " << c.frequency;
  }
  // Weights 0.05 × forestall, ambush and back-attack factors, walked in that
  // order by one draw r in [0, 1); past them an even start.
  struct Mode {
    float forestall, ambush, backAttack;
    float low, high;
    i32 mode;
  } const modes[] = {
      {1.f, 1.f, 1.f, 0.02f, 0.04f, 1},     {1.f, 1.f, 1.f, 0.06f, 0.09f, 2},
      {1.f, 1.f, 1.f, 0.11f, 0.14f, 3},     {1.f, 1.f, 1.f, 0.16f, 0.9f, 0},
      {2.f, 1.f, 1.f, 0.06f, 0.09f, 1},     {2.f, 1.f, 1.f, 0.11f, 0.14f, 2},
      {2.f, 1.f, 1.f, 0.16f, 0.19f, 3},     {1.f, -0.2f, 1.f, 0.06f, 0.09f, 3},
      {1.f, 1.f, 0.4f, 0.101f, 0.119f, 3},  {1.f, 1.f, 0.4f, 0.121f, 0.149f, 0},
      {-1.f, 1.f, 1.f, 0.01f, 0.04f, 2},
  };
  for (const Mode& c : modes) {
    FieldAbilities abilities;
    abilities.forestallFactor = c.forestall;
    abilities.ambushFactor = c.ambush;
    abilities.backAttackFactor = c.backAttack;
    RandomGenerator random(seedDrawing(c.low, c.high));
    EXPECT_EQ(Game::Field::drawStartMode(abilities, random), c.mode)
        << c.forestall << " " << c.ambush << " " << c.backAttack << " r in " << c.low;
  }
}

class EncounterTest : public FieldTestSupport::FieldTest {
 protected:
  EncounterTest() { mLoadErrorsHalt = false; }  // the battles' files are left out
  void table(const char* text) {
    Game::NmlDocument document;
    document.loadFromText("encounter.txt", text);
    field->table.load(*document.findChild("encounter"));
  }
  bool roll() { return Game::Field::rollEncounter(field->table, *field); }
  i32& variable(const char* name) { return game().variables().integer(name); }
  // Waits out all but the last arrival before an even chance (b − a = 32).
  void nearHalfChance() { variable("encounter") = 63; }
  static constexpr const char* kGroup =
      "encounter{ frequency 100; scene 洞窟; group{ member 骨の兵士,0,2; member 泥スライム,1,0; rank 50; } }";
};

// Tables without groups or frequency count nothing; the barrier holds
// arrivals off and says when it ends.
TEST_F(EncounterTest, EmptyTablesCountNothingAndTheBarrierHoldsArrivalsOff) {
  for (const char* text : {"encounter{ none; group{ member 泥スライム,0,0; } }", "encounter{ }",
                           "encounter{ frequency 0; group{ member 泥スライム,0,0; } }",
                           "encounter{ frequency -50; group{ member 泥スライム,0,0; } }"}) {
    table(text);
    variable("encounter") = 500;
    EXPECT_FALSE(roll()) << text;
    EXPECT_EQ(variable("encounter"), 500) << text;
  }
  EXPECT_TRUE(field->battles.empty());
  table(kGroup);
  variable("stealth") = 2;
  nearHalfChance();
  EXPECT_FALSE(roll());
  EXPECT_EQ(std::tuple(variable("stealth"), field->lines.size()), std::tuple(1, 0u));
  EXPECT_FALSE(roll());
  // The barrier's arrivals are not counted.
  EXPECT_EQ(std::tuple(variable("stealth"), field->lines, variable("encounter")),
            std::tuple(0, std::vector<std::string>({"-:結界の効果が切れた"}), 63));
  field->rng.setSeed(seedDrawing(0.f, 0.4f));
  EXPECT_TRUE(roll());
  EXPECT_EQ(field->lines.size(), 1u);
}

// At an even chance a draw above one half passes the arrival by; one below
// brings the game's first battle, evenly on the floor's level plus the
// wait's bonus, with every member on its cell in order.
TEST_F(EncounterTest, TheBattleBringsTheGroupOnTheFloorsLevel) {
  table(kGroup);
  nearHalfChance();
  field->rng.setSeed(seedDrawing(0.51f, 0.9f));
  EXPECT_FALSE(roll());
  EXPECT_EQ(variable("encounter"), 64);
  nearHalfChance();
  field->level = 3.f;
  field->rng.setSeed(seedDrawing(0.f, 0.49f));
  ASSERT_TRUE(roll());
  ASSERT_EQ(field->battles.size(), 1u);
  Game::Battle& battle = *field->battles[0];
  // Members come at rank 0.
  EXPECT_EQ(std::tuple(variable("encounter"), battle.kind(), battle.rankTracker().highest(), battle.countLiving(1)),
            std::tuple(0, BattleSettings::kEven, 0, 2));
  EXPECT_FLOAT_EQ(battle.level(), 3.f + 0.1f * 961.f / 1061.f);
  const Game::Unit* soldier = battle.unitAt(1, 0, 2);
  const Game::Unit* slime = battle.unitAt(1, 1, 0);
  EXPECT_TRUE(soldier && slime && soldier->hasName("骨の兵士") && slime->hasName("泥スライム"));
}

TEST_F(EncounterTest, AfterTheFirstBattleAvoidanceAndStartModesDraw) {
  table(kGroup);
  game().addBattleCount();
  // Avoidance 1 beats every draw: the battle is dropped, the wait still reset.
  field->abilities.encounterAvoidance = 1.f;
  nearHalfChance();
  field->rng.setSeed(seedDrawing(0.f, 0.49f));
  EXPECT_FALSE(roll());
  EXPECT_EQ(std::tuple(variable("encounter"), field->battles.size()), std::tuple(0, 0u));
  // Forestall factor 20: its weight 1 takes every draw.
  field->abilities.encounterAvoidance = 0.f;
  field->abilities.forestallFactor = 20.f;
  nearHalfChance();
  field->rng.setSeed(seedDrawing(0.f, 0.49f));
  ASSERT_TRUE(roll());
  EXPECT_EQ(field->battles[0]->kind(), BattleSettings::kForestall);
}

TEST_F(EncounterTest, RacesSpawnBelowRankZeroMissingEnemiesStayOutAndGroupsComeByPriority) {
  table("encounter{ group{ race 粘体; member 無い敵,0,0; } }");
  nearHalfChance();
  field->rng.setSeed(seedDrawing(0.f, 0.49f));
  ASSERT_TRUE(roll());
  Game::Battle& battle = *field->battles[0];
  EXPECT_TRUE(battle.countLiving(1) >= 1 && battle.rankTracker().highest() <= 0);
  EXPECT_EQ(battle.findUnitByName("無い敵"), nullptr);
  // Groups come by priority.
  table("encounter{ group{ member 泥スライム,0,0; priority 0; } group{ member 骨の兵士,0,0; priority 5; }"
        " group{ member 影法師,0,0; priority -3; } }");
  Game::RandomGenerator random(5);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(Game::Field::drawGroup(field->table, random).members[0].enemy, "骨の兵士");
  }
}

TEST_F(EncounterTest, TheTransitionHandsTheBattleOverOnFrameNinety) {
  const TestServices::Scoped services(TestServices::kRenderer);
  Game::SceneRenderer& renderer = *Game::SceneRenderer::instance();
  renderer.setFadeTarget(0);
  auto battle = std::make_unique<Game::Battle>(game(), BattleSettings{});
  Game::Battle* raw = battle.get();
  game().setBattle(nullptr);
  EncounterTransition transition(game(), std::move(battle));
  const struct {
    i32 frame;
    float zoom;
    i32 fade;
  } cues[] = {{0, 0.75f, 0}, {30, 0.75f, 0}, {31, 5.f, 0}, {39, 5.f, 0}, {40, 5.f, 255}};
  std::size_t cue = 0;
  for (i32 frame = 0; frame < 90; ++frame) {
    ASSERT_FALSE(transition.update()) << frame;
    if (cue < std::size(cues) && cues[cue].frame == frame) {
      EXPECT_FLOAT_EQ(renderer.camera().zoom.target(), cues[cue].zoom * Game::Camera::kZoomScale) << frame;
      EXPECT_EQ(renderer.fadeTarget(), cues[cue].fade) << frame;
      EXPECT_FLOAT_EQ(renderer.camera().pitch.target(), 80.f);
      ++cue;
    }
  }
  EXPECT_EQ(game().battle(), nullptr);
  EXPECT_TRUE(transition.update());
  EXPECT_EQ(std::tuple(game().battle(), transition.battle()), std::tuple(raw, nullptr));
}

// A battle opening with a boss's face (one the face set knows) plays the
// boss's 31 frames before its own; the battle comes on the 91st after.
TEST_F(EncounterTest, ABossAppearsBeforeTheTransitionsOwnFrames) {
  const TestServices::Scoped services(TestServices::kRenderer);
  Game::FaceSet::createWithoutFiles();
  Game::FaceSet::instance()->add("ボス", "src/face/boss", "ボス");
  const auto withFace = [&](const char* face) {
    auto dialogue = std::make_shared<Game::BattleDialogue>();
    dialogue->face.assign(face ? face : "");
    BattleSettings settings;
    settings.dialogue = face ? dialogue : nullptr;
    return std::make_unique<Game::Battle>(game(), settings);
  };
  EXPECT_EQ(EncounterTransition(game(), withFace(nullptr)).appearance(), nullptr);
  EXPECT_EQ(EncounterTransition(game(), withFace("誰か")).appearance(), nullptr);
  game().setBattle(nullptr);
  EncounterTransition transition(game(), withFace("ボス"));
  for (i32 frame = 0; frame < 31 + 90; ++frame) {
    EXPECT_EQ(transition.appearance() ? transition.appearance()->frame() : -1, frame < 31 ? frame : -1);
    EXPECT_EQ(transition.frame(), frame < 31 ? 0 : frame - 31);
    EXPECT_FALSE(transition.update()) << frame;
    EXPECT_FLOAT_EQ(Game::SceneRenderer::instance()->camera().pitch.target(), frame < 31 ? 30.f : 80.f) << frame;
  }
  EXPECT_TRUE(transition.update());
  EXPECT_NE(game().battle(), nullptr);
  Game::FaceSet::destroy();
}

}  // namespace
