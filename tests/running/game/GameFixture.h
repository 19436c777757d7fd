#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Platform/TextCodec.h"
#include "running/game/GameData.h"
#include "core/variable/VariableTable.h"
#include "core/random/RandomGenerator.h"
#include "field/FieldScene.h"
#include "records/Database.h"
#include "records/constance/Constance.h"
#include "root/command/SceneCommandFactory.h"
#include "tests/records/database/DatabaseFixture.h"
#include "tests/core/file/FileManagerFixture.h"

namespace GameTestSupport {

// A sample data file as the build converted it (Shift-JIS); "" when missing.
using DatabaseTestSupport::sampleFile;

// Every file of the build's sample data under the directory (relative to the
// game's directory), put on the fake file system under its Shift-JIS name.
inline void putSampleFiles(PlatformFake::FakeFileSystem& fs, const char* directory) {
  const std::filesystem::path game(MARROWDEEP_GAME_DIR);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(game / directory)) {
    if (entry.is_regular_file()) {
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(entry.file_size()));
      std::ifstream(entry.path(), std::ios::binary)
          .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      fs.put(Platform::utf8ToSjis(std::filesystem::relative(entry.path(), game).generic_string()), std::move(bytes));
    }
  }
}

// The sample "head.txt".
inline std::string sampleDeclarations() { return sampleFile(Game::VariableTable::kDeclarationFile); }

// A running game's surroundings: the file manager over the fake file system
// holding the sample declarations, battle files and map sites with their
// floors, links and scenes, the constants, the databases loaded from them
// and a seeded random source.
class GameTest : public FileTestSupport::FileManagerTest {
 protected:
  void SetUp() override {
    FileManagerTest::SetUp();
    const std::string declarations = sampleDeclarations();
    ASSERT_FALSE(declarations.empty()) << "the build's copy of " << Game::VariableTable::kDeclarationFile;
    fs().put(Game::VariableTable::kDeclarationFile, declarations);
    // The sample battle tables, which name the sample items.
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      fs().put(Game::Database::battleFilePath(i), sampleFile(Game::Database::battleFilePath(i)));
    }
    Game::Constance::create();
    putSampleFiles(fs(), "src/data/map");
    putSampleFiles(fs(), "src/picture/scene");
    // Pictures a test has not put stay empty: no model is built without a device.
    for (const char* file : {Game::UnitPictureList::kFile, Game::SymbolCharaList::kFile, Game::MapPictureSet::kTileFile,
                             Game::MapPictureSet::kObjectFile, "src/picture/common/ground.txt",
                             "src/picture/telop/灰の坑道.txt", "src/picture/telop/沈黙の書庫.txt"}) {
      if (!fs().exists(file)) fs().put(file, "");
    }
    Game::Database::create();
    Game::Database::instance()->load();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(12345);
    Game::GameData::setFieldMaker([](Game::GameData& game) -> Game::FieldSubScene* {
      return new Game::FieldScene(game);
    });
    Game::ScriptStuff::SceneCommandMaker::install(&Game::ScriptStuff::SceneCommandFactory::instance());
  }
  void TearDown() override {
    Game::ScriptStuff::SceneCommandMaker::install(nullptr);
    Game::GameData::setFieldMaker(nullptr);
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    FileManagerTest::TearDown();
  }

  static Game::Database& database() { return *Game::Database::instance(); }
  const Game::MapSiteData& site(const char* name) { return *database().findSite(name); }
};

}  // namespace GameTestSupport
