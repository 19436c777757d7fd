#include "field/Enemy.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "records/Database.h"
#include "core/file/nml/NmlDocument.h"
#include "records/database/RaceData.h"
#include "tests/field/FieldFixture.h"

namespace {

using Engine::i32;
using Engine::Math::Vector3;
using FieldTestSupport::FieldTest;
using Game::BattleSettings;
using Game::Field::Enemy;
using Game::Field::Symbol;

class EnemyTest : public FieldTest {
 protected:
  // A race of the sample slime with one pattern and sense.
  const Game::RaceData& race(const char* pattern, const char* sense = "視覚") {
    Game::NmlDocument document;
    document.loadFromText("race.txt", (std::string("race{ name 試; member 泥スライム; symbol スライム; pattern{ ") +
                                       pattern + " } sense " + sense + "; }")
                                          .c_str());
    races.push_back(std::make_unique<Game::RaceData>());
    races.back()->read(*document.findChild("race"));
    return *races.back();
  }
  Symbol& enemy(const Game::RaceData& r, i32 x, i32 y, float angle = 0.f) {
    Symbol& s = place("enemy", x, y, nullptr, angle);
    s.setParameter(std::make_unique<Enemy>(r, 0));
    return s;
  }
  std::vector<std::unique_ptr<Game::RaceData>> races;
};

// Player at the origin facing +x (1, 0); the enemy in front (x > 0) or
// behind, facing back toward the player (−x) or away.
TEST(EnemyRules, FourPlacementsGiveTheFourOpeningsAndSneakOrHideKeepThemAsleep) {
  const Vector3 origin(0.f, 0.f, 0.f);
  const Vector3 east(1.f, 0.f, 0.f);
  const Vector3 west(-1.f, 0.f, 0.f);
  const std::tuple<float, Vector3, i32> cases[] = {
      {48.f, west, BattleSettings::kEven},          // in front, facing the player
      {48.f, east, BattleSettings::kForestall},     // in front, its back turned
      {-48.f, east, BattleSettings::kBackAttack},   // behind, facing the player
      {-48.f, west, BattleSettings::kForestalled},  // behind, turned away
  };
  for (const auto& [x, facing, kind] : cases) {
    EXPECT_EQ(Enemy::openingKind(Vector3(x, 0.f, 0.f), facing, origin, east), kind) << x << " " << facing.x;
  }
  // Beside the player (d · forward = 0) counts as behind; square on, as not facing.
  EXPECT_EQ(Enemy::openingKind(Vector3(0.f, 48.f, 0.f), east, origin, east), BattleSettings::kForestalled);
  EXPECT_EQ(Enemy::openingKind(Vector3(48.f, 0.f, 0.f), Vector3(0.f, 1.f, 0.f), origin, east),
            BattleSettings::kForestall);
  // Sneak hides from hearing, hide from sight.
  Game::FieldAbilities none;
  Game::FieldAbilities sneak;
  sneak.sneak = true;
  Game::FieldAbilities hide;
  hide.hide = true;
  const std::tuple<i32, const Game::FieldAbilities*, bool> senses[] = {
      {Game::RaceData::kSight, &none, true},      {Game::RaceData::kSight, &hide, false},
      {Game::RaceData::kSight, &sneak, true},     {Game::RaceData::kHearing, &sneak, false},
      {Game::RaceData::kHearing, &hide, true},    {Game::RaceData::kSixthSense, &sneak, true},
      {Game::RaceData::kSixthSense, &hide, true},
  };
  for (const auto& [sense, abilities, awake] : senses) {
    EXPECT_EQ(Enemy::isAwake(sense, *abilities), awake) << sense << abilities->hide;
  }
}

TEST_F(EnemyTest, TheTouchBattleIsAFixedOneOnTheFloorsLevel) {
  field->level = 4.f;
  BattleSettings settings = Enemy::battleSettings(*field, BattleSettings::kBackAttack);
  // An empty table scene is the site's.
  EXPECT_EQ(std::tuple(settings.sceneName, settings.kind, std::string(settings.bgm), settings.escapeAllowed,
                       settings.defeatMode, settings.fromScript),
            std::tuple(nullptr, BattleSettings::kBackAttack, "通常戦闘", false, 1, false));
  EXPECT_FLOAT_EQ(settings.level, 4.1f);
  Game::NmlDocument document;
  document.loadFromText("t.txt", "encounter{ scene 洞窟; }");
  field->table.load(*document.findChild("encounter"));
  EXPECT_STREQ(Enemy::battleSettings(*field, 0).sceneName, "洞窟");
}

TEST_F(EnemyTest, WithinSenseRangeItWaitsThenChasesElseWanders) {
  const Game::RaceData& r = race("passiveSpeed 1; activeSpeed 5/2; activeTime 3; senseRange 96;");
  Symbol& player = place("player", 0, 0);
  field->setPlayer(&player);
  Symbol& e = enemy(r, 2, 0);
  e.update();
  EXPECT_EQ(keywords(e), std::vector<std::string>({"wait 32", "chase 19", "chase 19", "chase 19", "delete 0"}))
      << "48 / 2.5 = 19.2";
  // Out of range or asleep it wanders at its passive speed.
  Symbol& far = enemy(race("passiveSpeed 3/2; activeSpeed 2; activeTime 3; senseRange 95;"), 2, 0);
  far.update();
  EXPECT_EQ(keywords(far), std::vector<std::string>({"random 32", "delete 0"})) << "96 away, beyond 95: 48 / 1.5";
  const Game::RaceData& hearing = race("passiveSpeed 2; activeSpeed 2; activeTime 3; senseRange 960;", "聴覚");
  field->abilities.sneak = true;
  Symbol& quiet = enemy(hearing, 1, 0);
  quiet.update();
  EXPECT_EQ(keywords(quiet), std::vector<std::string>({"random 24", "delete 0"}));
}

// 48 / speed, whole frames; a crawl slower than an int of frames holds
// takes the most there is.
TEST_F(EnemyTest, StepTimesAreWholeFramesAndRandomThenDeleteRepeatsForEver) {
  const std::tuple<const char*, std::string> cases[] = {
      {"passiveSpeed 7;", "random 6"},
      {"passiveSpeed 1/100;", "random 4800"},
      {"passiveSpeed 1/2000000000;", "random 2147483647"},
  };
  for (const auto& [pattern, first] : cases) {
    Symbol& e = enemy(race(pattern), 2, 2);
    e.update();
    EXPECT_EQ(keywords(e)[0], first) << pattern;
  }
  // With its pattern refilling the queue, "random" then "delete" goes on for
  // ever.
  Symbol& e = enemy(race("passiveSpeed 4; activeSpeed 0; activeTime 0; senseRange 0;"), 2, 2);
  EXPECT_EQ(run(e, 300), 300 / 13) << "a 12-frame step and a frame to delete";
  EXPECT_EQ(keywords(e).size(), 2u);
}

// Active speed 0 in range, passive speed 0 out of it, or a pattern the race
// lacks: the enemy stays.
TEST_F(EnemyTest, WithoutASpeedOrPatternItStays) {
  const Game::RaceData& r = race("passiveSpeed 1; activeSpeed 0; activeTime 3; senseRange 200;");
  Symbol& player = place("player", 0, 0);
  field->setPlayer(&player);
  Symbol& still = enemy(r, 2, 0);
  run(still, 20);
  EXPECT_EQ(std::tuple(still.hasCommands(), still.x(), still.y()), std::tuple(false, 2, 0));
  field->setPlayer(nullptr);
  Symbol& e = enemy(race("passiveSpeed 0; activeSpeed 2; activeTime 3; senseRange 200;"), 2, 2);
  e.update();
  EXPECT_FALSE(e.hasCommands()) << "no player to sense, no passive speed";
  Symbol& odd = place("odd", 1, 1);
  odd.setParameter(std::make_unique<Enemy>(*races.back(), 5));
  odd.update();
  EXPECT_FALSE(odd.hasCommands()) << "a pattern the race lacks";
}

}  // namespace
