#pragma once

#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "data/unit/PlayerGhost.h"
#include "resource/Database.h"
#include "tests/script/ScriptFixture.h"

namespace BattleTestSupport {

// Battles of a new game over the sample data: a battle script that decides
// nothing, party members of the sample lead on their cells, the sample
// enemies by name.
class BattleGameTest : public ScriptTestSupport::ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    fs().put(Game::Battle::kScriptFile, std::string("let{ name answer; value 1; }"));
  }
  void TearDown() override {
    game().setBattle(nullptr);
    mMembers.clear();
    ScriptTest::TearDown();
  }
  Game::PlayerGhost& addMember(Engine::i32 row, Engine::i32 column) {
    mMembers.push_back(std::make_unique<Game::PlayerGhost>());
    Game::PlayerGhost& ghost = *mMembers.back();
    ghost.setUp(*Game::Database::instance()->findShell("Kessa"), 0);
    Game::PartyMembers::Entry* entry = game().party().members().add(ghost);
    entry->row = row;
    entry->column = column;
    return ghost;
  }
  static const Game::EnemyData& enemy(const char* name) { return *Game::Database::instance()->findEnemy(name); }

  std::vector<std::unique_ptr<Game::PlayerGhost>> mMembers;
};

}  // namespace BattleTestSupport
