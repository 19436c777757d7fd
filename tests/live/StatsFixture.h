#pragma once

#include <gtest/gtest.h>

#include "tests/records/database/DatabaseFixture.h"
#include "tests/Services.h"
#include "tests/core/file/FileManagerFixture.h"

namespace StatsTestSupport {

// The singletons the stat blocks read through: constants, databases (the
// state table) and the random generator; the databases read their files
// (none here) through the file manager.
class StatsTest : public TestServices::Test<TestServices::kConstants | TestServices::kDatabase | TestServices::kRandom,
                                            FileTestSupport::FileManagerTest>,
                  public DatabaseTestSupport::ParsedText {
 protected:
  Game::Database& database() { return *Game::Database::instance(); }
};

}  // namespace StatsTestSupport
