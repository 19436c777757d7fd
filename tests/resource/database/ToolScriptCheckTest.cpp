#include <gtest/gtest.h>

#include "resource/Database.h"
#include "tests/core/game/GameFixture.h"

namespace {

using ToolScriptCheckDeathTest = GameTestSupport::GameTest;

// A use script is looked for under src/data/tool/ by the tool's "script"
// name; a missing one stops the start naming the tool and the file.
TEST_F(ToolScriptCheckDeathTest, AMissingUseScriptStopsTheStart) {
  EXPECT_DEATH(database().checkToolScripts(),
               "src/data/tool.txt.*tool 薬草: use script \"src/data/tool/薬草.txt\" is missing or empty");
  for (int i = 0; i < database().toolCount(); ++i) {
    Game::String path;
    database().toolAt(i)->scriptPath(path);
    fs().put(path.c_str(), "recover{ LP 1; }");
  }
  database().checkToolScripts();
}

}  // namespace
