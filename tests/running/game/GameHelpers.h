#pragma once

#include <memory>
#include <string>

#include "running/game/GameData.h"
#include "running/game/SaveSlot.h"
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

}  // namespace GameTestSupport
