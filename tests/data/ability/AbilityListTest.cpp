#include "data/ability/AbilityHosts.h"
#include "data/ability/AbilityList.h"
#include "data/stats/DefenseBlock.h"
#include "file/nml/NmlNode.h"
#include "tests/resource/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::BattleTexts;
using Game::Ability;
using Game::AbilityList;
using Game::Database;

constexpr const char* kArts =
    "ability{base{name 雷;energy 4;cost 2;charge 1;recoil 1;attack{factor 術;}}upper{energy 6;}upper{energy 8;}"
    "  upper{energy 9;}}"
    "ability{name 斬;type 攻撃;attack{element 斬撃;}trigger{type 反撃;accuracy 100;element 打撃;}}"
    "ability{name 想起;}"
    "ability{name 壁;status{体力 3;}defense{element{熱 2;}}passive;}"
    "ability{name 札;fullName 霊符;attack{factor 符;}}"
    "ability{name 隠;visible false;}";

class AbilityListTest : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    load(BattleTexts::empty().with(Database::kAbilities, kArts));
  }
  Ability art(const char* name, int level = 1) { return Ability(&database().findAbility(name), level); }
};

struct Ghost : Game::GhostLevel {
  int mLevel = 1;
  float mBonus = 0.f;
  int level() const override { return mLevel; }
  float getArtLevelBonus() const override { return mBonus; }
};

struct Memory : Game::SpellMemory {
  const Ability* mSpell = nullptr;
  const Ability* lastSpell() const override { return mSpell; }
};

TEST_F(AbilityListTest, LearnReplacesTheHighestAndAddIfHigherKeepsTheBest) {
  AbilityList list;
  list.add(art("雷", 1));
  list.add(art("雷", 3));
  list.learn(art("雷", 2));
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.at(0).level(), 1);
  EXPECT_EQ(list.at(1).level(), 2);
  list.learn(art("斬"));

  list.addIfHigher(art("雷", 2));
  EXPECT_EQ(list.count(), 3);
  list.addIfHigher(art("雷", 4));
  EXPECT_EQ(list.count(), 4);
  EXPECT_EQ(list.firstLevelOf("雷"), 4);
  EXPECT_EQ(list.levelOfNamed("雷"), 1 + 2 + 4);
  EXPECT_TRUE(list.has("斬"));
  EXPECT_EQ(list.firstLevelOf("壁"), 0);
  list.add(art("壁", 0));
  EXPECT_FALSE(list.has("壁"));
}

// level := trunc((maxLevel − 1) × f + 1.5), f from the ghost's level and bonus.
TEST_F(AbilityListTest, ScaleToGhostRoundsTheLevelFactor) {
  struct Case {
    int ghostLevel;
    float bonus;
    int expected;
  };
  for (const Case& c : {Case{1, 0.f, 1}, Case{99, 0.f, 4}, Case{17, 0.f, 1}, Case{18, 0.f, 2},
                        Case{1, 2.f, 4}, Case{1, -1.f, 1}}) {
    Ghost ghost;
    ghost.mLevel = c.ghostLevel;
    ghost.mBonus = c.bonus;
    AbilityList list;
    list.add(art("雷"));
    list.add(art("雷", 2));
    list.add(art("斬"));
    list.scaleToGhost(ghost);
    EXPECT_EQ(list.at(0).level(), c.expected) << c.ghostLevel << " " << c.bonus;
    EXPECT_EQ(list.at(1).level(), 2);  // only level 1 grows
    EXPECT_EQ(list.at(2).level(), 1);  // an art without levels stays
  }
}

TEST_F(AbilityListTest, RecallTakesTheLastSpellFreeOfCostFromItsLevel) {
  Memory battle;
  AbilityList list;
  list.add(art("想起"));
  list.bind(battle);
  EXPECT_STREQ(list.at(0).name(), "想起");

  const Ability spell = art("雷", 3);
  battle.mSpell = &spell;
  list.bind(battle);
  EXPECT_STREQ(list.at(0).name(), "雷");
  EXPECT_EQ(list.at(0).level(), 3);
  EXPECT_EQ(list.at(0).energy(), 0);
  EXPECT_EQ(list.at(0).cost(), 0);
  Game::String text;
  list.at(0).displayName(text);
  EXPECT_STREQ(text.c_str(), "想起「雷」");
}

// The ability's own trigger overrides the art's part by part.
TEST_F(AbilityListTest, OwnTriggers) {
  Game::NmlNode node;
  ASSERT_TRUE(node.parse("ability 斬;priority 30;trigger{type 自動反撃;}", true));
  Ability slash;
  slash.load(node);
  EXPECT_TRUE(slash.isAutoCounter());
  EXPECT_EQ(slash.triggerAccuracy(), 100);
  Game::AttackBlock blow;
  blow.types().set(1);
  Game::AttackBlock cut;
  cut.types().set(0);
  EXPECT_TRUE(slash.relationHolds(blow));
  EXPECT_FALSE(slash.relationHolds(cut));
  // An art without trigger flags is set off by anything.
  EXPECT_TRUE(art("雷").relationHolds(cut));
}

TEST_F(AbilityListTest, PassivesHiddenArtsAndAnUnknownSavedArt) {
  AbilityList list;
  list.add(art("壁"));
  list.add(art("壁"));
  list.add(art("隠"));
  Game::Parameters parameters;
  Game::DefenseBlock defense;
  list.applyPassives(parameters, defense);
  EXPECT_EQ(parameters[Game::Parameters::kVitality], 6);
  EXPECT_EQ(defense.typeDefense(4), 4);
  list.dropHidden();
  EXPECT_EQ(list.count(), 2);

  Game::NmlNode unknown;
  ASSERT_TRUE(unknown.parse("arts{ability 無い術;}", true));
  EXPECT_DEATH(list.load(unknown), "無い術");
}

}  // namespace
