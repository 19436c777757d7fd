#include "tests/resource/database/DatabaseFixture.h"

namespace {

using SampleDatabaseTest = DatabaseTestSupport::DatabaseTest;

// The whole sample set loads headless, and every name the game looks up is in it.
TEST_F(SampleDatabaseTest, LoadsEveryTableWithItsRecords) {
  loadSamples();
  const Game::Database& db = database();
  EXPECT_EQ(db.states().count(), 30);
  EXPECT_EQ(db.abilityCount(), 10);
  EXPECT_EQ(db.toolCount(), 7);
  EXPECT_EQ(db.shellCount(), 2);
  EXPECT_EQ(db.enemyCount(), 4);
  EXPECT_EQ(db.raceCount(), 2);
  EXPECT_EQ(db.synchros().size(), 1u);
  EXPECT_EQ(db.skillTree().size(), 2u);
}

}  // namespace
