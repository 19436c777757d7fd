#include <string>
#include <tuple>
#include <vector>

#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Flags.h"
#include "records/stats/Parameters.h"
#include "tests/live/StatsFixture.h"

namespace {

using Game::Constance;
using Bits = std::vector<int>;

// The indices set in any flag set.
template <class Flags>
Bits setBits(const Flags& flags) {
  Bits out;
  for (int i = 0; i < 64; ++i) {
    if (flags.isSet(i)) {
      out.push_back(i);
    }
  }
  return out;
}

// A state table of poison (critical), sleep (critical) and a boost.
class BlocksTest : public StatsTestSupport::StatsTest {
 protected:
  void SetUp() override {
    StatsTest::SetUp();
    database().states().add("毒").setCritical(true);
    database().states().add("睡眠").setCritical(true);
    database().states().add("チャージアップ");
  }
  Game::DefenseBlock defense(const char* text) {
    Game::DefenseBlock block;
    block.read(parse(text));
    return block;
  }
  template <class Flags>
  Bits readBits(const char* line) {
    Flags flags;
    flags.read(*parse(line).attribute(0));
    return setBits(flags);
  }
};

TEST_F(BlocksTest, FactorPercentagesBecomeMultipliers) {
  const Game::DefenseBlock block = defense("factor{水 100;音 -50;電気 25;}element{熱 3;斬撃 -2;}");
  const int sound = Constance::findAbilityFlag("音");
  EXPECT_EQ(block.factors()[Constance::findAbilityFlag("電気")], 0.75f);
  EXPECT_EQ(block.factors()[Constance::findAbilityFlag("物")], 1.f);
  EXPECT_EQ(block.typeDefense(Constance::findAttribute("熱")), 3);
  EXPECT_EQ(block.typeDefense(0), -2);

  Game::ElementFlags flags;
  EXPECT_EQ(block.factors().product(flags), 1.f);
  flags.set(sound);
  EXPECT_EQ(block.factors().product(flags), 1.5f);
  flags.set(Constance::findAbilityFlag("水"));
  EXPECT_EQ(block.factors().product(flags), 0.f);
}

TEST_F(BlocksTest, ResistNamesStatesAndMarksCriticalOnes) {
  EXPECT_EQ(setBits(defense("").resist()), Bits{});
  EXPECT_EQ(setBits(defense("resist チャージアップ;").resist()), Bits{2});
  EXPECT_EQ(setBits(defense("resist 全;").resist()), (Bits{0, 1}));
  // "!" marks the critical ones and clears every state named after it.
  EXPECT_EQ(setBits(defense("resist チャージアップ,!,睡眠;").resist()), (Bits{0, 2}));
}

TEST_F(BlocksTest, DefenseAddMultipliesFactorsAndJoinsResistances) {
  Game::DefenseBlock a = defense("element{打撃 2;}factor{水 50;}resist 毒;");
  a.add(defense("element{打撃 3;光 1;}factor{水 50;}resist チャージアップ;"));
  EXPECT_EQ(a.factors()[Constance::findAbilityFlag("水")], 0.25f);
  EXPECT_EQ(setBits(a.resist()), (Bits{0, 2}));

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
  EXPECT_EQ(readBits<Game::ElementFlags>("f 物,術;"), (Bits{1, 3}));
  // "全" clears, also what earlier items set.
  EXPECT_EQ(readBits<Game::ElementFlags>("f 物,全,水;"), Bits{5});
  EXPECT_EQ(readBits<Game::TypeFlags>("t 熱,光;"), (Bits{4, 8}));
  EXPECT_EQ(readBits<Game::ArtsSystem>("a 全;"), (Bits{0, 1, 2, 3}));
}

TEST_F(BlocksTest, AttackBlockReadsEntriesInOrder) {
  Game::AttackBlock block;
  block.read(parse("element 斬撃;factor 物,武器消費;"
                   "addition{name 毒;level 3;accuracy 40;checkResist false;}"
                   "recoil{name チャージアップ;}"
                   "addition{name 睡眠;level{constance 5;random 0;}}"));
  EXPECT_EQ(setBits(block.types()), Bits{0});
  EXPECT_EQ(setBits(block.elements()), (Bits{1, 21}));
  // State, level, the amount's constance (-1 for none), accuracy, resist check;
  // the recoil has the defaults.
  const auto spec = [](const Game::AttackSpec& s) {
    return std::tuple(std::string(s.state()), s.level, s.amount ? s.amount->constance : -1, s.accuracy, s.checkResist);
  };
  ASSERT_EQ(block.additions().size(), 2u);
  ASSERT_EQ(block.recoils().size(), 1u);
  EXPECT_EQ(spec(block.additions()[0]), std::tuple("毒", 3, -1, 40, false));
  EXPECT_EQ(spec(block.additions()[1]), std::tuple("睡眠", 0, 5, 100, true));
  EXPECT_EQ(spec(block.recoils()[0]), std::tuple("チャージアップ", 1, -1, 100, true));
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
  EXPECT_EQ(setBits(withoutAdditions.elements()), (Bits{1, 3}));
  EXPECT_EQ(setBits(withoutAdditions.types()), Bits{4});
  a.merge(b, true);
  ASSERT_EQ(a.additions().size(), 2u);
  EXPECT_STREQ(a.additions()[1].state(), "睡眠");
  a.merge(a, true);  // merging into itself must not read what it appends
  EXPECT_EQ(a.additions().size(), 4u);
  EXPECT_EQ(a.recoils().size(), 2u);
}

}  // namespace
