#include "data/stats/AttackBlock.h"
#include "data/stats/DefenseBlock.h"
#include "data/stats/Flags.h"
#include "data/stats/Parameters.h"
#include "tests/data/StatsFixture.h"

namespace {

using Game::Constance;

// A state table of poison (critical), sleep (critical) and a boost.
class BlocksTest : public StatsTestSupport::StatsTest {
 protected:
  void SetUp() override {
    StatsTest::SetUp();
    database().states().add("毒").setCritical(true);
    database().states().add("睡眠").setCritical(true);
    database().states().add("チャージアップ");
  }
  Game::StateFlags resist(const char* line) {
    Game::DefenseBlock block;
    block.read(parse(line));
    return block.resist();
  }
};

TEST_F(BlocksTest, FactorPercentagesBecomeMultipliers) {
  Game::DefenseBlock block;
  block.read(parse("factor{水 100;音 -50;電気 25;}element{熱 3;斬撃 -2;}"));
  const int water = Constance::findAbilityFlag("水");
  const int sound = Constance::findAbilityFlag("音");
  EXPECT_EQ(block.factors()[water], 0.f);
  EXPECT_EQ(block.factors()[sound], 1.5f);
  EXPECT_EQ(block.factors()[Constance::findAbilityFlag("電気")], 0.75f);
  EXPECT_EQ(block.factors()[Constance::findAbilityFlag("物")], 1.f);
  EXPECT_EQ(block.typeDefense(Constance::findAttribute("熱")), 3);
  EXPECT_EQ(block.typeDefense(0), -2);
  EXPECT_EQ(block.typeDefense(1), 0);

  Game::ElementFlags flags;
  EXPECT_EQ(block.factors().product(flags), 1.f);
  flags.set(sound);
  EXPECT_EQ(block.factors().product(flags), 1.5f);
  flags.set(water);
  EXPECT_EQ(block.factors().product(flags), 0.f);
}

TEST_F(BlocksTest, ResistNamesStatesAndMarksCriticalOnes) {
  EXPECT_FALSE(resist("").any());
  const Game::StateFlags one = resist("resist チャージアップ;");
  EXPECT_TRUE(one.isSet(2));
  EXPECT_FALSE(one.isSet(0));
  const Game::StateFlags all = resist("resist 全;");
  EXPECT_TRUE(all.isSet(0));
  EXPECT_TRUE(all.isSet(1));
  EXPECT_FALSE(all.isSet(2));
  // "!" marks the critical ones and clears every state named after it.
  const Game::StateFlags except = resist("resist チャージアップ,!,睡眠;");
  EXPECT_TRUE(except.isSet(0));
  EXPECT_FALSE(except.isSet(1));
  EXPECT_TRUE(except.isSet(2));
  EXPECT_FALSE(except.isSet(3));
}

TEST_F(BlocksTest, DefenseAddMultipliesFactorsAndJoinsResistances) {
  Game::DefenseBlock a;
  Game::DefenseBlock b;
  a.read(parse("element{打撃 2;}factor{水 50;}resist 毒;"));
  b.read(parse("element{打撃 3;光 1;}factor{水 50;}resist チャージアップ;"));
  a.add(b);
  EXPECT_EQ(a.typeDefense(1), 5);
  EXPECT_EQ(a.typeDefense(8), 1);
  EXPECT_EQ(a.factors()[Constance::findAbilityFlag("水")], 0.25f);
  EXPECT_TRUE(a.resist().isSet(0));
  EXPECT_TRUE(a.resist().isSet(2));
  EXPECT_FALSE(a.resist().isSet(1));

  a.addProtector({99, 4, 7});
  for (int t = 0; t < Game::DefenseBlock::kTypeCount; ++t) {
    const int before = t == 1 ? 5 : t == 8 ? 1 : 0;
    EXPECT_EQ(a.typeDefense(t), before + (t < 3 ? 4 : 7)) << t;
  }
  a.clear();
  EXPECT_EQ(a.typeDefense(1), 0);
  EXPECT_EQ(a.factors()[Constance::findAbilityFlag("水")], 1.f);
  EXPECT_FALSE(a.resist().any());
}

TEST_F(BlocksTest, FlagLines) {
  Game::ElementFlags elements;
  elements.read(*parse("f 物,術;").attribute(0));
  EXPECT_TRUE(elements.isSet(1));
  EXPECT_TRUE(elements.isSet(3));
  EXPECT_FALSE(elements.isSet(0));
  // "全" clears, also what earlier items set.
  elements.read(*parse("f 物,全,水;").attribute(0));
  EXPECT_FALSE(elements.isSet(1));
  EXPECT_TRUE(elements.isSet(5));

  Game::TypeFlags types;
  types.read(*parse("t 熱,光;").attribute(0));
  EXPECT_TRUE(types.isSet(4));
  EXPECT_TRUE(types.isSet(8));
  EXPECT_FALSE(types.isSet(0));

  Game::ArtsSystem arts;
  arts.read(*parse("a 射撃;").attribute(0));
  EXPECT_TRUE(arts.isSet(2));
  EXPECT_FALSE(arts.isSet(0));
  arts.read(*parse("a 全;").attribute(0));
  for (int i = 0; i < Game::ArtsSystem::kCount; ++i) {
    EXPECT_TRUE(arts.isSet(i));
  }
}

TEST_F(BlocksTest, AttackBlockReadsEntriesInOrder) {
  Game::AttackBlock block;
  block.read(parse("element 斬撃;factor 物,武器消費;"
                   "addition{name 毒;level 3;accuracy 40;checkResist false;}"
                   "recoil{name チャージアップ;}"
                   "addition{name 睡眠;level{constance 5;random 0;}}"));
  EXPECT_TRUE(block.types().isSet(0));
  EXPECT_TRUE(block.elements().isSet(1));
  EXPECT_TRUE(block.elements().isSet(21));
  ASSERT_EQ(block.additions().size(), 2u);
  ASSERT_EQ(block.recoils().size(), 1u);
  const Game::AttackSpec& poison = block.additions()[0];
  EXPECT_STREQ(poison.state(), "毒");
  EXPECT_EQ(poison.level, 3);
  EXPECT_FALSE(poison.amount.has_value());
  EXPECT_EQ(poison.accuracy, 40);
  EXPECT_FALSE(poison.checkResist);
  const Game::AttackSpec& recoil = block.recoils()[0];
  EXPECT_EQ(recoil.level, 1);
  EXPECT_EQ(recoil.accuracy, 100);
  EXPECT_TRUE(recoil.checkResist);
  const Game::AttackSpec& sleep = block.additions()[1];
  EXPECT_EQ(sleep.level, 0);
  ASSERT_TRUE(sleep.amount.has_value());
  EXPECT_EQ(sleep.amount->constance, 5);
  EXPECT_EQ(sleep.amount->random, 0.f);
}

TEST_F(BlocksTest, AttackMergeAppendsRecoilsAlwaysAndAdditionsOnRequest) {
  Game::AttackBlock a;
  a.read(parse("factor 物;addition{name 毒;}"));
  Game::AttackBlock b;
  b.read(parse("element 熱;factor 術;addition{name 睡眠;}recoil{name 毒;}"));
  Game::AttackBlock withoutAdditions = a;
  withoutAdditions.merge(b, false);
  EXPECT_EQ(withoutAdditions.additions().size(), 1u);
  EXPECT_EQ(withoutAdditions.recoils().size(), 1u);
  EXPECT_TRUE(withoutAdditions.elements().isSet(1));
  EXPECT_TRUE(withoutAdditions.elements().isSet(3));
  EXPECT_TRUE(withoutAdditions.types().isSet(4));
  a.merge(b, true);
  ASSERT_EQ(a.additions().size(), 2u);
  EXPECT_STREQ(a.additions()[1].state(), "睡眠");
  a.merge(a, true);
  EXPECT_EQ(a.additions().size(), 4u);
  EXPECT_EQ(a.recoils().size(), 2u);
}

}  // namespace
