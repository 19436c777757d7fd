#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "running/game/GameData.h"
#include "core/file/nml/NmlDocument.h"
#include "running/script/Script.h"
#include "tests/records/expression/FakeGameResolver.h"
#include "tests/running/game/KeyedGameFixture.h"

namespace ScriptTestSupport {

// Expressions read the variables of the game under test; nothing else of it.
class GameVariables final : public GameTest::FakeGameResolver {
 public:
  explicit GameVariables(const Game::GameData& game) : mGame(game) {}
  bool findInteger(const char* name, Engine::i32* out) const override {
    if (!mGame.variables().hasInteger(name)) return false;
    *out = mGame.variables().getInteger(name);
    return true;
  }
  bool isFlagOn(const char* name) const override { return mGame.variables().isFlagOn(name); }
  const Game::VariableTable* variableTable() const override { return &mGame.variables(); }

 private:
  const Game::GameData& mGame;
};

// A new game with its variables answering expressions, and scripts read
// from nml text.
class ScriptTest : public GameTestSupport::KeyedGameTest {
 protected:
  void SetUp() override {
    KeyedGameTest::SetUp();
    mGame = std::make_unique<Game::GameData>();
    mVariables = std::make_unique<GameVariables>(*mGame);
  }
  void TearDown() override {
    mScript.clear();
    mVariables.reset();
    mGame.reset();
    KeyedGameTest::TearDown();
  }

  Game::Script& load(const char* text) {
    mDocument.clear();
    mDocument.loadFromText("test.txt", text);
    mScript.load(mDocument, *mGame);
    return mScript;
  }
  Engine::i32 stepScript() { return mScript.step(*mGame); }
  // One frame of the owning scene: keys held, then the driver.
  Engine::i32 frame(std::initializer_list<Platform::Key> held = {}) {
    step(held);
    return mScript.update(*mGame);
  }
  Engine::i32 integer(const char* name) const { return mGame->variables().getInteger(name); }
  Game::GameData& game() { return *mGame; }
  int debugLinesWith(const char* text) {
    int count = 0;
    for (const std::string& line : debugLines()) {
      count += line.find(text) != std::string::npos;
    }
    return count;
  }

  Game::NmlDocument mDocument;
  Game::Script mScript;
  std::unique_ptr<Game::GameData> mGame;
  std::unique_ptr<GameVariables> mVariables;
};

}  // namespace ScriptTestSupport
