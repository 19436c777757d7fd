#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/file/nml/NmlNode.h"
#include "tests/Services.h"
#include "tests/core/file/FileManagerFixture.h"

namespace StatsTestSupport {

// The singletons the stat blocks read through: constants, databases (the
// state table) and the random generator; the databases read their files
// (none here) through the file manager.
class StatsTest : public TestServices::Test<TestServices::kConstants | TestServices::kDatabase | TestServices::kRandom,
                                            FileTestSupport::FileManagerTest> {
 protected:
  Game::Database& database() { return *Game::Database::instance(); }
  // Parses nml text into mRoot (a fresh tree per call) and returns it.
  const Game::NmlNode& parse(const char* text) {
    mRoot = std::make_unique<Game::NmlNode>();
    EXPECT_TRUE(mRoot->parse(text, true)) << text;
    return *mRoot;
  }

 private:
  std::unique_ptr<Game::NmlNode> mRoot;
};

}  // namespace StatsTestSupport
