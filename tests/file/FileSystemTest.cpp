#include <gtest/gtest.h>

#include "file/FileSystem.h"

namespace {

// The player's files go into the home folder, one slash between.
TEST(FileSystemHome, PrefixesThePlayersFiles) {
  const char* rows[][3] = {
      {"", "config.ini", "config.ini"},
      {"/tmp/h", "savedata/", "/tmp/h/savedata/"},
      {"/tmp/h/", "config.ini", "/tmp/h/config.ini"},
      {"h", "", "h/"},
  };
  for (const auto& row : rows) {
    Game::FileSystem::setHome(row[0]);
    EXPECT_STREQ(Game::FileSystem::homePath(row[1]).c_str(), row[2]) << row[0];
  }
  Game::FileSystem::setHome("");
}

}  // namespace
