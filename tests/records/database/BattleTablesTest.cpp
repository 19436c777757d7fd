#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "records/ability/AbilityHosts.h"
#include "records/ability/AbilityList.h"
#include "tests/live/unit/TestGhost.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::artsOf;
using DatabaseTestSupport::BattleTexts;
using Game::Database;
using Game::EnemyData;

constexpr const char* kStates = "state{name 毒;harm;critical;}state{name 恐怖;}state{name 防御;}";
constexpr const char* kArts =
    "ability{name 打つ;type 攻撃;range 近;area 単;energy 2;cost 1;charge 1;recoil 3;"
    "  attack{element 打撃;addition{name 毒;}}}"
    "ability{base{name 火花;fullName 火花の術;help 一;energy 4;area 単;attack{factor 術;}}"
    "  upper{help 二;energy 6;}upper{help 三;area 列;}}"
    "ability{name 構え;passive;type 攻撃;energy 5;effect magic;}"
    "ability{name 返し;trigger{type 自動反撃;accuracy 40;element 斬撃;}}";
constexpr const char* kShells =
    "shell{name Kessa;status{end{HP 50;}}skill{item{cost 1;arts{ability 打つ;}}}defense{}}"
    "shell{name ミオ;status{end{HP 80;}}skill{}defense{}}";

// A death-test pattern matching the text as it stands (byte-wise, so that
// Shift-JIS trail bytes that are regex characters are escaped too).
std::string literal(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (std::string_view(".[](){}*+?^$|\\").find(*p) != std::string_view::npos) {
      out += '\\';
    }
    out += *p;
  }
  return out;
}

BattleTexts smallSet() {
  return BattleTexts::empty()
      .with(Database::kStates, kStates)
      .with(Database::kAbilities, kArts)
      .with(Database::kTools, "tool{name 薬;icon 薬;price 9;}tool{name 石;icon 石;price 1;energy 5;}")
      .with(Database::kShells, kShells)
      .with(Database::kEnemies,
            "enemy{name 兵;level 3,7;equip{}action{ability 打つ;}drop 薬,100,10;drop 石,0;"
            "  metamorphose{name 兵;expression 0;}metamorphose{name 騎士;expression 1;}}"
            "enemy{name 騎士;level 5;equip{}status{point 60;}action{}}");
}

class BattleTablesTest : public DatabaseTestSupport::DatabaseTest {};

TEST_F(BattleTablesTest, TwoUppersGiveThreeLevelRecordsReadOverTheBase) {
  load(smallSet());
  const Game::AbilityData& spark = database().findAbility("火花の術");
  ASSERT_EQ(spark.upperCount(), 2);
  EXPECT_STREQ(spark.name(), "火花");
  // Levels past the table are clamped to its ends.
  const std::tuple<int, std::string, int, int> cases[] = {
      {0, "一", 4, 1}, {1, "一", 4, 1}, {2, "二", 6, 1}, {3, "三", 6, 3}, {9, "三", 6, 3}};
  for (const auto& [level, help, energy, area] : cases) {
    const Game::AbilityLevel& record = spark.level(level);
    EXPECT_EQ(std::tuple(std::string(record.help()), record.energy(), record.area(), std::string(record.fullName()),
                         record.effectKind()),
              std::tuple(help, energy, area, std::string("火花の術"), Game::AbilityLevel::kMagic))
        << level;
  }
  EXPECT_EQ(Game::Ability(&spark).maxLevel(), 3);
}

TEST_F(BattleTablesTest, PassiveStopsTheKeysAfterIt) {
  load(smallSet());
  const Game::Ability stance(&database().findAbility("構え"));
  EXPECT_TRUE(stance.isPassive());
  EXPECT_EQ(std::tuple(stance.energy(), stance.effectKind()), std::tuple(0, Game::AbilityLevel::kNoEffect));
  const Game::Ability blow(&database().findAbility("打つ"));
  EXPECT_TRUE(blow.isSelectable());
  EXPECT_EQ(blow.effectKind(), Game::AbilityLevel::kNormal);
}

TEST_F(BattleTablesTest, EnemyLevelsDropsAndMetamorphosis) {
  load(smallSet());
  const EnemyData& soldier = *database().findEnemy("兵");
  const EnemyData& knight = *database().findEnemy("騎士");
  EXPECT_EQ(std::tuple(soldier.lowestLevel(), soldier.highestLevel(), knight.lowestLevel(), knight.highestLevel()),
            std::tuple(3, 7, 5, 5));
  EXPECT_EQ(database().findEnemy("竜"), nullptr);

  // Threshold 10: never at level 10, always (weight 100) at 11.
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(soldier.pickDrop(10, EnemyData::DropMode::kDrop), nullptr);
    EXPECT_EQ(soldier.pickDrop(11, EnemyData::DropMode::kDrop), database().findTool("薬"));
  }
  // Stealing picks among the candidates by weight: the 0-weight stone never.
  EXPECT_EQ(soldier.pickDrop(11, EnemyData::DropMode::kSteal), database().findTool("薬"));
  EXPECT_EQ(soldier.pickDrop(1, EnemyData::DropMode::kSteal), database().findTool("石"));
  EXPECT_EQ(knight.pickDrop(50, EnemyData::DropMode::kSteal), nullptr);

  EXPECT_EQ(soldier.metamorphosis(), &knight) << "the first form whose condition holds";
  EXPECT_EQ(knight.metamorphosis(), nullptr);
}

TEST_F(BattleTablesTest, ShellsFallBackToTheFirstAndEnemiesCopyTheirGrowth) {
  load(smallSet().with(Database::kEnemies, "enemy{name ミオ;equip{}action{}}enemy{name 影;equip{}action{}}"));
  const Game::ShellData* kessa = database().findShell("Kessa");
  ASSERT_NE(kessa, nullptr);
  EXPECT_EQ(database().findShell("誰か"), kessa);
  EXPECT_EQ(database().findShellExactly("誰か"), nullptr);
  EXPECT_EQ(kessa->skillTree().size(), 1u);
  EXPECT_EQ(database().findEnemy("ミオ")->growth().end(), database().findShell("ミオ")->growth().end());
  EXPECT_EQ(database().findEnemy("影")->growth().end(), kessa->growth().end());
  // Item ids are places in the tool table; nothing else has one.
  const Game::ToolData foreign;
  EXPECT_EQ(std::tuple(database().toolIndexOf(database().findTool("石")), database().toolIndexOf(&foreign),
                       database().toolIndexOf(nullptr)),
            std::tuple(1, -1, -1));
}

TEST_F(BattleTablesTest, RingGivesEachRaceItselfAndTheNextTwo) {
  const char* races = "race{name A;}race{name B;}race{name C;}race{name D;sense 第六感;}race{name E;}ring A,B,C,D;";
  load(smallSet().with(Database::kRaces, races));
  const Game::RaceData& d = database().findRace("D");
  std::vector<std::string> spawned;
  for (const Game::RaceData* race : d.spawnRaces()) spawned.emplace_back(race->name());
  EXPECT_EQ(spawned, (std::vector<std::string>{"D", "A", "B"}));
  ASSERT_EQ(database().findRace("A").spawnRaces().size(), 3u);
  EXPECT_STREQ(database().findRace("A").spawnRaces()[2]->name(), "C");
  EXPECT_EQ(d.sense(), Game::RaceData::kSixthSense);
  EXPECT_TRUE(database().findRace("E").spawnRaces().empty());
}

// A file naming what the tables lack, or a record missing a key, stops with
// the file, the line the record begins on, the record and what is wrong.
TEST_F(BattleTablesTest, MissingNamesAreDataErrorsNamingFileLineRecordAndName) {
  const struct {
    int file;
    std::string text;
    const char* message;
  } cases[] = {
      {Database::kTools, "tool{name 薬;icon 薬;price 9;}\ntool{name 杖;icon 杖;price 1;arts{ability 雷;}}",
       "0 (src/data/tool.txt line 2, tool 杖: unknown art \"雷\")"},
      {Database::kAbilities, "ability{name 刺す;attack{addition{name 麻痺;}}}",
       "src/data/ability.txt line 1, ability 刺す: unknown state \"麻痺\""},
      {Database::kAbilities, "ability{name 刺;attack{recoil{name 石化;}}}", "ability 刺: unknown state \"石化\""},
      {Database::kShells, "shell{name X;status{}skill{}defense{}gear{slot 0;name 盾;}}",
       "src/data/shell.txt line 1, shell X: unknown tool \"盾\""},
      {Database::kShells, "shell{name X;status{}skill{}defense{}gear{slot 8;name 薬;}}",
       "src/data/shell.txt line 1, shell X: gear slot outside 0..7"},
      {Database::kEnemies, "enemy{name 兵;equip{}action{}}\n\nenemy{name 鬼;equip{}action{}metamorphose{name 竜;}}",
       "src/data/enemy.txt line 3, enemy 鬼: unknown enemy \"竜\""},
      {Database::kEnemies, "enemy{name 兵;equip{}}", "src/data/enemy.txt line 1, enemy 兵: no child \"action\""},
      {Database::kEnemies, "enemy{name 狼;equip{}action{}drop 金;}", "enemy 狼: unknown tool \"金\""},
      {Database::kRaces, "race{name A;}ring A,Z;", "src/data/race.txt, ring: unknown race \"Z\""},
      {Database::kRaces, "race{name 獣;member 狐;}", "race 獣: unknown enemy \"狐\""},
      {Database::kSynchros, "synchro{name S;member ノア;}", "src/data/synchro.txt line 1, synchro S: unknown shell \"ノア\""},
      {Database::kSkillTree, "item{cost 1;arts{ability 打つ;}}\nitem{arts{ability 打つ;}}",
       "src/data/skilltree.txt line 2, item: no key \"cost\""},
      // Record readers and keyword converters give the same place.
      {Database::kStates, "state{name 毒;}\n\n  state{timer 5;}", "src/data/state.txt line 3, state: no key \"name\""},
      {Database::kTools, "tool{name 薬;icon 薬;price 9;}\ntool{name 剣;\nprice 5;}",
       "src/data/tool.txt line 2, tool 剣: no key \"icon\""},
      {Database::kTools, "tool{name 剣;icon 剣;price 5;slot ぶき,て;}",
       "\"WRONGE SLOT\" (src/data/tool.txt line 1, tool 剣: unknown slot \"て\")"},
      {Database::kAbilities, std::string(kArts) + "\nability{name 薙ぐ;area 列列;}",
       "\"WRONG AREA\" (src/data/ability.txt line 2, ability 薙ぐ: unknown area \"列列\")"},
      {Database::kAbilities, "ability{name 返し;trigger{type 反撃!;}}",
       "\"WRONGE TRIGGER\" (src/data/ability.txt line 1, ability 返し: unknown trigger \"反撃!\")"},
      {Database::kAbilities, "ability{name 撃つ;attack{element 火;}}",
       "0 (src/data/ability.txt line 1, ability 撃つ: unknown damage attribute \"火\")"},
  };
  for (const auto& c : cases) {
    // The messages are Shift-JIS in the program, as the texts are here.
    EXPECT_DEATH(load(smallSet().with(c.file, c.text)), literal(c.message)) << c.text;
  }
  // With no shell at all an enemy without a status has nothing to copy.
  EXPECT_DEATH(load(smallSet().with(Database::kShells, "").with(Database::kEnemies, "enemy{name 兵;equip{}action{}}")),
               literal("no \"status\" and no shell"));
}

// A stray '}' stops the load naming the file and the line, before a later
// file could blame a name the rest of this one held.
TEST_F(BattleTablesTest, AStrayCloseStopsTheFileWhereItStands) {
  EXPECT_DEATH(load(smallSet().with(Database::kStates, "state{name 毒;}\n}\nstate{name 麻痺;}")),
               literal("src/data/state.txt:2 : '}' closes no node"));
}

// Candidate arts as an enemy unit gathers them: everything usable, nothing
// needs targets.
class Chooser : public Game::ArtUser {
 public:
  const Game::Unit& unit() const override { return mSubject.unit; }
  bool canUse(const Game::Ability& ability) const override { return std::string(ability.name()) != mBanned; }
  bool hasTargets(const Game::Ability&) const override { return mTargets; }
  Game::AbilityList& candidateArts() override { return mArts; }
  void bindCandidateArts() override { ++mBinds; }

  UnitTestSupport::TestUnit mSubject;
  std::string mBanned;
  bool mTargets = true;
  Game::AbilityList mArts;
  int mBinds = 0;
};

TEST_F(BattleTablesTest, CollectArtsWalksTheTreeByConditionAndWeight) {
  const char* enemies =
      "enemy{name 兵;equip{}action{number 3;"
      "  action{expression 0;ability 構え;}"
      "  action{priority 100;ability 打つ;ability 火花の術;}"
      "  next{arts{ability 返し;priority 1;}}next{expression 0;ability 構え;}}}";
  load(smallSet().with(Database::kEnemies, enemies));
  Chooser chooser;
  chooser.mBanned = "火花";
  chooser.mArts.add(Game::Ability(&database().findAbility("構え")));
  database().findEnemy("兵")->collectArts(chooser);
  // Three walks of the open nested action (the only art it can use is 打つ),
  // then the open next action.
  EXPECT_EQ(artsOf(chooser.mArts), "打つ:1 打つ:1 打つ:1 返し:1");
  EXPECT_EQ(chooser.mArts.at(3).priority(), 1.f);
  EXPECT_EQ(chooser.mBinds, 1);
}

// Without targets only arts of no area count; a next action of weight 0 is
// never taken; "number" 0 picks nothing.
TEST_F(BattleTablesTest, CollectArtsNeedsTargetsForAreasAndWeights) {
  const char* enemies =
      "enemy{name 兵;equip{}action{number 2;ability 構え;ability 打つ;"
      "  next{priority 0;arts{ability 返し;}}next{priority 5;ability 打つ;}}}"
      "enemy{name 影;equip{}action{number 0;ability 打つ;next{expression 0;ability 打つ;}}}";
  load(smallSet().with(Database::kEnemies, enemies));
  Chooser blind;
  blind.mTargets = false;
  database().findEnemy("兵")->collectArts(blind);
  EXPECT_EQ(artsOf(blind.mArts), "構え:1 構え:1");
  for (int i = 0; i < 20; ++i) {
    Chooser seeing;
    database().findEnemy("兵")->collectArts(seeing);
    ASSERT_EQ(seeing.mArts.count(), 3);
    EXPECT_STREQ(seeing.mArts.at(2).name(), "打つ");
  }
  Chooser none;
  database().findEnemy("影")->collectArts(none);
  EXPECT_EQ(none.mArts.count(), 0);
  EXPECT_EQ(none.mBinds, 1);
}

TEST_F(BattleTablesTest, ToolArtsAndEnergyRules) {
  load(smallSet().with(Database::kTools,
                       "tool{name 槍;icon 槍;price 3;energy 5;arts{ability 打つ;}passiveArts{ability 構え;}"
                       "throw{ability 打つ;costCancel true;}}tool{name 薬;icon 薬;price 9;}tool{name 石;icon 石;price 1;}"
                       "tool{name 砂;icon 砂;price 0;}tool{name 負;icon 負;price -8;}"));
  const Game::ToolData& spear = *database().findTool("槍");
  const Game::ToolData& potion = *database().findTool("薬");
  EXPECT_TRUE(spear.hasDurability() && !potion.hasDurability());
  // Sale at a quarter of the price, never below 1.
  EXPECT_EQ(std::tuple(spear.energy(), spear.sellValue(), potion.energy(), potion.sellValue()), std::tuple(5, 1, 1, 2));
  // From a price of 1 only: nothing for 0, a quarter below.
  EXPECT_EQ(std::tuple(database().findTool("石")->sellValue(), database().findTool("砂")->sellValue(),
                       database().findTool("負")->sellValue()),
            std::tuple(1, 0, -2));
  EXPECT_EQ(spear.arts().count(), 1);
  EXPECT_TRUE(spear.passiveArts().at(0).isPassive());
  ASSERT_EQ(std::tuple(spear.throwArt().count(), potion.throwArt().count()), std::tuple(1, 0));
  EXPECT_EQ(spear.throwArt().at(0).energy(), 0);
}

}  // namespace
