#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/random/RandomGenerator.h"
#include "file/nml/NmlNode.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/file/FileManagerFixture.h"

namespace StatsTestSupport {

// The singletons the stat blocks read through: constants, databases (the
// state table) and the random generator; the databases read their files
// (none here) through the file manager.
class StatsTest : public FileTestSupport::FileManagerTest {
 protected:
  void SetUp() override {
    FileManagerTest::SetUp();
    Game::Constance::create();
    Game::Database::create();
    Game::RandomGenerator::create();
  }
  void TearDown() override {
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    FileManagerTest::TearDown();
  }
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
