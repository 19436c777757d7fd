#include "tests/resource/database/DatabaseFixture.h"
#include "tests/resource/database/LookedUpNames.h"

namespace {

using LookedUpNames::Kind;
using SampleDatabaseTest = DatabaseTestSupport::DatabaseTest;

// The states, arts, tools, shells and enemies of the names the code
// looks up (LookedUpNames); the others are the resource lists'.
TEST_F(SampleDatabaseTest, HoldsEveryNameTheGameLooksUp) {
  loadSamples();
  const Game::Database& db = database();
  LookedUpNames::forEach([&db](const LookedUpNames::Name& name) {
    switch (name.kind) {
      case Kind::kState:
        EXPECT_GE(db.states().find(name.name), 0) << "state " << name.name;
        break;
      case Kind::kArt:
        EXPECT_NE(db.findAbilityOrNull(name.name), nullptr) << "art " << name.name;
        break;
      case Kind::kTool: {
        const Game::ToolData* record = db.findTool(name.name);
        ASSERT_NE(record, nullptr) << "tool " << name.name;
        EXPECT_STRNE(record->icon(), "") << "tool " << name.name;
        break;
      }
      case Kind::kShell:
        EXPECT_NE(db.findShellExactly(name.name), nullptr) << "shell " << name.name;
        break;
      case Kind::kEnemy:
        EXPECT_NE(db.findEnemy(name.name), nullptr) << "enemy " << name.name;
        break;
      default:
        break;
    }
  });
}

}  // namespace
