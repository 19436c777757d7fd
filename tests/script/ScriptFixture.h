#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/game/GameData.h"
#include "file/nml/NmlDocument.h"
#include "script/Script.h"
#include "script/expression/GameResolver.h"
#include "tests/core/game/KeyedGameFixture.h"

namespace ScriptTestSupport {

// Expressions read the variables of the game under test.
class GameVariables final : public Game::ExpressionStuff::GameResolver {
 public:
  explicit GameVariables(const Game::GameData& game) : mGame(game) { install(this); }
  ~GameVariables() override { install(nullptr); }
  GameVariables(const GameVariables&) = delete;
  GameVariables& operator=(const GameVariables&) = delete;

  bool findInteger(const char* name, Engine::i32* out) const override {
    if (!mGame.variables().hasInteger(name)) return false;
    *out = mGame.variables().getInteger(name);
    return true;
  }
  bool isFlagOn(const char* name) const override { return mGame.variables().isFlagOn(name); }
  const Game::FunctionTable* functions() const override { return nullptr; }
  bool isActiveMember(const char*) const override { return false; }
  Engine::i32 countTool(const char*) const override { return 0; }
  Engine::i32 countToolInRoster(const char*) const override { return 0; }
  Engine::i32 activeMemberCount() const override { return 0; }
  bool hasField() const override { return false; }
  const char* siteName() const override { return ""; }
  bool hasFloorEvent(const char*, const char*) const override { return false; }
  bool hasSymbol(const char*) const override { return false; }
  bool isSymbolOnCell(const char*, Engine::i32, bool) const override { return false; }
  bool hasBattle() const override { return false; }
  Engine::i32 turn() const override { return 0; }
  Engine::i32 livingCount(Engine::i32) const override { return 0; }
  bool hasLastSpells() const override { return false; }
  const Game::Unit* findUnit(const char*) const override { return nullptr; }

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

  Game::NmlDocument mDocument;
  Game::Script mScript;
  std::unique_ptr<Game::GameData> mGame;
  std::unique_ptr<GameVariables> mVariables;
};

}  // namespace ScriptTestSupport
