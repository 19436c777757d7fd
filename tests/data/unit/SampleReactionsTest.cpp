// The rules that look arts and states up by name, run against the sample
// data: every reaction a struck unit may answer with, the follow-up of an
// overdose and the automatic states are there to be found.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/Unit.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/resource/database/DatabaseFixture.h"

namespace {

using Game::Unit;

class SampleReactionsTest : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    loadSamples();
  }

  Unit& makeUnit(bool enemy) {
    mGhosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    mGhosts.back()->enemy = enemy;
    mUnits.push_back(std::make_unique<Unit>(*mGhosts.back(), &battle));
    battle.units.push_back(mUnits.back().get());
    mUnits.back()->placeAt(enemy ? 1 : 0, 2);
    return *mUnits.back();
  }
  // The names of the reactions to a sword blow, struck until one comes (the
  // sample's chances are 40% and more).
  std::vector<std::string> reactionsTo(Unit& unit) {
    Unit& attacker = makeUnit(true);
    const Game::Ability blow(&database().findAbility("斬り払い"));
    std::vector<Game::Reaction> out;
    for (int i = 0; i < 32 && out.empty(); ++i) {
      unit.collectReactions({&attacker, &blow, nullptr, true, 10}, out);
    }
    std::vector<std::string> names;
    for (const Game::Reaction& reaction : out) {
      names.emplace_back(reaction.art.name());
    }
    return names;
  }

  BattleTestSupport::FakeBattleServices battle;

 private:
  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Unit>> mUnits;
};

TEST_F(SampleReactionsTest, EveryStateAnswersABlowWithItsArt) {
  struct Case {
    const char* state;
    const char* reaction;
  };
  // サーマルバリア's first answer guards against heat and cold only.
  const Case cases[] = {
      {"氷バリア", "氷バリア発動"},    {"分身", "分身"},     {"シールド", "シールド発動"},
      {"サーマルバリア", "サーマルカウンター"}, {"GlintBlade", "パリィ"}, {"FloatingBellSplash", "FloatingBellSplash"},
      {"CrimsonFocus", "Stillmere"},
  };
  for (const Case& c : cases) {
    Unit& unit = makeUnit(false);
    unit.applyState(c.state, 1, false);
    EXPECT_EQ(reactionsTo(unit), std::vector<std::string>{c.reaction}) << c.state;
  }
}

TEST_F(SampleReactionsTest, AGuardedSideAnswersWithItsGuard) {
  battle.guards[0] = 1;
  EXPECT_EQ(reactionsTo(makeUnit(false)), std::vector<std::string>{"EclipseSidestep"});
  battle.guards[0] = 2;
  EXPECT_EQ(reactionsTo(makeUnit(false)), std::vector<std::string>{"結界発動"});
}

TEST_F(SampleReactionsTest, AnOverdosedUnitFollowsUpAndAutomaticStatesApply) {
  Unit& unit = makeUnit(false);
  unit.applyState("薬漬け", 3, false);
  std::vector<Game::Ability> out;
  unit.followUps(Game::Ability(&database().findAbility("斬り払い")), out);
  EXPECT_TRUE(out.empty()) << "a blow without medicine has no side effect";
  for (const char* art : {"自動発狂", "自動サーマル", "自動シールド", "自動スタン"}) {
    unit.ghost().abilities().add(Game::Ability(&database().findAbility(art), 100));
  }
  unit.recompute();
  unit.autoAbilities();
  EXPECT_TRUE(unit.holds("発狂"));
  EXPECT_TRUE(unit.holds("サーマルバリア"));
  EXPECT_TRUE(unit.holds("シールド"));
}

}  // namespace
