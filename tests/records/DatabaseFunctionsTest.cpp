#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/variable/VariableTable.h"
#include "records/Database.h"
#include "tests/running/game/GameFixture.h"

namespace {

using DatabaseFunctionsTest = GameTestSupport::GameTest;

// The databases own the named functions: the declarations' "func" lines land
// there while the databases exist, and list themselves in the variable dump.
TEST_F(DatabaseFunctionsTest, DeclarationFunctionsLandInTheDatabaseAndTheDump) {
  Game::VariableTable table;
  table.loadDeclarations();
  const Game::FunctionTable& functions = database().functions();
  ASSERT_NE(functions.find("敗北数"), nullptr);

  std::vector<Game::VariableTable::DumpRow> rows;
  table.buildDump(rows);
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const auto& row) {
    return std::string(row.text.c_str()).find("敗北数") != std::string::npos;
  }));

  // Declaring again keeps the first body and adds nothing.
  table.loadDeclarations();
  EXPECT_EQ(functions.count(), 1);
}

TEST_F(DatabaseFunctionsTest, WithoutDatabasesTheFunctionLinesAreIgnored) {
  Game::Database::destroy();
  Game::VariableTable table;
  table.loadDeclarations();
  EXPECT_TRUE(table.hasInteger("battleCount"));
  Game::Database::create();
  EXPECT_EQ(database().functions().count(), 0);
}

}  // namespace
