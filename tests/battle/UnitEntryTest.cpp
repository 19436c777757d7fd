#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "battle/UnitEntry.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"
#include "tests/live/unit/FakeBattleServices.h"
#include "tests/live/unit/TestGhost.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

class UnitEntryTest : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    loadSamples();
  }
  BattleTestSupport::FakeBattleServices battle;
};

TEST_F(UnitEntryTest, AChangedFormTakesTheCellAndGivesItBack) {
  for (bool enemy : {false, true}) {
    UnitTestSupport::TestGhost ghost;
    ghost.enemy = enemy;
    auto first = std::make_unique<Game::Unit>(ghost, &battle);
    first->setCell(1, 3);
    first->planAction(-1, Game::Ability::fromName("斬り払い"), first->place());
    Game::Unit* original = first.get();
    Game::UnitEntry entry(std::move(first));
    Game::Unit& form = entry.transformInto(battle, enemy ? "骨の兵士" : "Kessa", 5);
    // A member's new form takes the level asked for.
    EXPECT_EQ(std::tuple(original->hasPlan(), form.side(), form.row(), form.column(), battle.poses.back()),
              std::tuple(false, enemy ? 1 : 0, 1, 3, Game::UnitPose::kAppear));
    EXPECT_TRUE(enemy || form.ghost().getLevel() == 5);
    entry.transformInto(battle, enemy ? "泥スライム" : "Kessa", 2);
    EXPECT_EQ(entry.formCount(), 3);
    entry.popAll();
    EXPECT_EQ(&entry.current(), original);
    EXPECT_FALSE(entry.popTransformation());
    EXPECT_EQ(battle.poses.back(), Game::UnitPose::kStand);
  }
}

TEST_F(UnitEntryTest, AnUnknownEnemyStopsNamingIt) {
  UnitTestSupport::TestGhost ghost;
  ghost.enemy = true;
  Game::UnitEntry entry(std::make_unique<Game::Unit>(ghost, &battle));
  EXPECT_DEATH(entry.transformInto(battle, "いない敵", 3), "いない敵");
}

}  // namespace
