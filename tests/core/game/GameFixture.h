#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/game/VariableTable.h"
#include "core/random/RandomGenerator.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/resource/database/DatabaseFixture.h"
#include "tests/file/FileManagerFixture.h"

namespace GameTestSupport {

// The sample "head.txt" as the build converted it (Shift-JIS).
inline std::string sampleDeclarations() {
  std::ifstream in(std::string(MARROWDEEP_GAME_DIR) + "/" + Game::VariableTable::kDeclarationFile,
                   std::ios::binary | std::ios::ate);
  if (!in) {
    return {};
  }
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// A running game's surroundings: the file manager over the fake file system
// holding the sample declarations and battle files, the constants, the
// databases loaded from them and a seeded random source.
class GameTest : public FileTestSupport::FileManagerTest {
 protected:
  void SetUp() override {
    FileManagerTest::SetUp();
    const std::string declarations = sampleDeclarations();
    ASSERT_FALSE(declarations.empty()) << "the build's copy of " << Game::VariableTable::kDeclarationFile;
    fs().put(Game::VariableTable::kDeclarationFile, declarations);
    // The sample battle tables, which name the sample items.
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      const char* path = Game::Database::battleFilePath(i);
      fs().put(path, DatabaseTestSupport::sampleFile(path));
    }
    Game::Constance::create();
    Game::Database::create();
    Game::Database::instance()->load();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(12345);
  }
  void TearDown() override {
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    FileManagerTest::TearDown();
  }

  static Game::Database& database() { return *Game::Database::instance(); }
  const Game::MapSiteData& site(const char* name) { return *database().findSite(name); }
};

}  // namespace GameTestSupport
