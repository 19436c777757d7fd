#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "records/Database.h"
#include "tests/running/game/GameFixture.h"

namespace {

using ToolScriptCheckDeathTest = GameTestSupport::GameTest;

// A use script is looked for under src/data/tool/ by the tool's "script"
// name; an empty one stops the start naming the tool and the file.
TEST_F(ToolScriptCheckDeathTest, AMissingUseScriptStopsTheStart) {
  fs().put("src/data/tool/薬草.txt", "");
  EXPECT_DEATH(database().checkToolScripts(),
               "src/data/tool.txt.*tool 薬草: use script \"src/data/tool/薬草.txt\" is missing or empty");
  for (int i = 0; i < database().toolCount(); ++i) {
    Game::String path;
    database().toolAt(i)->scriptPath(path);
    fs().put(path.c_str(), "recover{ LP 1; }");
  }
  database().checkToolScripts();
}

// The file put last, read afresh: the loader's ring keeps the files it read.
void put(PlatformFake::FakeFileSystem& fs, int file, const std::string& text) {
  fs.put(Game::Database::battleFilePath(file), text);
  Game::FileLoader::destroy();
  Game::FileLoader::create();
}

// A table the game cannot do without that holds no record stops the start
// naming its file, before a later file's reference would take the blame;
// the synchro groups and the shared skill tree may be empty. A damaged byte
// stops its own file, not the one that would miss the record; a wide number its line.
TEST_F(ToolScriptCheckDeathTest, AnEmptyNeededTableOrADamagedByteOrNumberStopsTheStartNamingItsFile) {
  using Game::Database;
  const std::pair<int, const char*> empties[] = {
      {Database::kStates, "src/data/state.txt: no \"state\" record"},
      {Database::kAbilities, "src/data/ability.txt: no \"ability\" record"},
      {Database::kTools, "src/data/tool.txt: no \"tool\" record"},
      {Database::kShells, "src/data/shell.txt: no \"shell\" record"},
      {Database::kEnemies, "src/data/enemy.txt: no \"enemy\" record"},
      {Database::kRaces, "src/data/race.txt: no \"race\" record"},
  };
  for (const auto& [file, message] : empties) {
    const std::string sample = GameTestSupport::sampleFile(Database::battleFilePath(file));
    put(fs(), file, "// none yet\nring;");
    EXPECT_DEATH(database().load(), message);
    put(fs(), file, sample);
  }
  for (const int file : {Database::kSynchros, Database::kSkillTree}) {
    put(fs(), file, "");
  }
  database().load();
  EXPECT_EQ(database().shellCount(), 4);
  std::string tools = GameTestSupport::sampleFile(Database::battleFilePath(Database::kTools));
  tools.replace(tools.find("鉄の剣"), 0, "\x02");
  put(fs(), Database::kTools, tools);
  EXPECT_DEATH(database().load(), "src/data/tool.txt:11 : byte 0x02 is no text");
  put(fs(), Database::kTools, GameTestSupport::sampleFile(Database::battleFilePath(Database::kTools)));
  std::string enemies = GameTestSupport::sampleFile(Database::battleFilePath(Database::kEnemies));
  enemies.replace(enemies.find("HP 50;"), 6, "HP 99999999999999999999;");
  put(fs(), Database::kEnemies, enemies);
  EXPECT_DEATH(database().load(), "src/data/enemy.txt line 10, enemy 泥スライム: \"HP\" item 1 \"9+\" does not fit");
}

}  // namespace
