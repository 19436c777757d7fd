#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PlatformFake/FakeFileSystem.h"
#include "running/game/GameData.h"
#include "running/game/SaveSlot.h"
#include "running/game/SaveSlotList.h"
#include "core/file/FileSystem.h"
#include "core/file/nml/NmlDocument.h"

namespace GameTestSupport {

// The surroundings of a fixture with a new game in them.
template <class Surroundings>
class WithGame : public Surroundings {
 protected:
  void SetUp() override {
    Surroundings::SetUp();
    mGame = std::make_unique<Game::GameData>();
  }
  void TearDown() override {
    mGame.reset();
    Surroundings::TearDown();
  }
  Game::GameData& game() { return *mGame; }

  std::unique_ptr<Game::GameData> mGame;
};

inline std::string compactText(const Game::NmlDocument& document) {
  Game::String text;
  document.toString(text, false);
  return text.c_str();
}

// The document a save of the game would write, without its head.
inline std::string body(const Game::GameData& game) {
  Game::NmlDocument document;
  game.write(document);
  return compactText(document);
}

// Saves the game as if at the given time.
inline bool saveAt(const Game::GameData& game, int slot, const Game::SaveCheck::SaveTime& time) {
  Game::NmlDocument document;
  Game::SaveSlot::writeHead(document, game, time);
  return Game::SaveSlot::write(document, slot);
}

// Saves of a new game in slots first to first + 3 whose floor is missing, a
// FIFO, a directory and unreadable.
inline void saveUnreadableFloors(PlatformFake::FakeFileSystem& fs, int first) {
  fs.putUnopenable("src/data/map/opening/fifo.txt");
  fs.makeDirectories("src/data/map/opening/folder.txt");
  fs.put("src/data/map/opening/unreadable.txt", "fmf hall;");
  fs.failReads("src/data/map/opening/unreadable.txt");
  Game::NmlDocument document;
  Game::SaveSlot::writeHead(document, Game::GameData());
  for (const std::string floor : {"nosuch", "fifo", "folder", "unreadable"}) {
    std::string text = compactText(document);
    text.replace(text.find("file hall;"), 10, "file " + floor + ";");
    const int size = static_cast<int>(text.size()) + 1;
    Game::FileSystem::writeFile(Game::SaveSlot::path(first++).c_str(), text.c_str(), size, true);
  }
}

// The slots of saveUnreadableFloors hold files that list as invalid.
inline void expectUnreadableFloorsInvalid(const Game::SaveSlotList& list, int first) {
  for (int slot = first; slot < first + 4; ++slot) EXPECT_TRUE(list.row(slot).exists && !list.row(slot).valid) << slot;
}

}  // namespace GameTestSupport
