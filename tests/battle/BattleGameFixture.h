#pragma once

#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "live/unit/PlayerGhost.h"
#include "core/file/nml/NmlDocument.h"
#include "records/Database.h"
#include "records/table/AbilityData.h"
#include "tests/running/script/ScriptFixture.h"

namespace BattleTestSupport {

// A unit's cell in a scenario, and the shell of a member there.
struct At {
  Engine::i32 row;
  Engine::i32 column;
  const char* shell = "Kessa";
};

// Battles of a new game over the sample data: a battle script that decides
// nothing, party members of the sample lead on their cells, the sample
// enemies by name, and arts read from text beside the sample ones.
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
  Game::PlayerGhost& addMember(Engine::i32 row, Engine::i32 column, const char* shell = "Kessa") {
    mMembers.push_back(std::make_unique<Game::PlayerGhost>());
    Game::PlayerGhost& ghost = *mMembers.back();
    ghost.setUp(*Game::Database::instance()->findShell(shell), 0);
    Game::PartyMembers::Entry* entry = game().party().members().add(ghost);
    entry->row = row;
    entry->column = column;
    return ghost;
  }
  // A new party of `count` members, three to a column.
  void formParty(Engine::i32 count) {
    mMembers.clear();
    game().party().members().clear();
    for (Engine::i32 i = 0; i < count; ++i) addMember(i % 3, i % 5);
  }
  static const Game::EnemyData& enemy(const char* name) { return *Game::Database::instance()->findEnemy(name); }

  // The battle, run by the game as its own, after `frames` frames (the
  // first is its opening).
  Game::Battle& makeBattle(Game::BattleSettings settings = {}, int frames = 1) {
    game().setBattle(new Game::Battle(game(), settings));
    run(frames);
    return battle();
  }
  // A battle of the members on their cells against the named enemy on the
  // enemies' cells (added after the battle's first `frames`).
  Game::Battle& scenario(std::initializer_list<At> members, std::initializer_list<At> enemies, int frames = 1,
                         const char* enemyName = "泥スライム") {
    for (const At& cell : members) addMember(cell.row, cell.column, cell.shell);
    makeBattle({}, frames);
    for (const At& cell : enemies) foe(cell.row, cell.column, enemyName);
    return battle();
  }
  Game::Battle& battle() { return *static_cast<Game::Battle*>(game().battle()); }
  Game::Unit& unit(Engine::i32 index) { return *battle().unitAt(index); }
  Game::Unit& foe(Engine::i32 row, Engine::i32 column, const char* name = "泥スライム") {
    return *battle().addEnemy(enemy(name), row, column, 1.f, 0);
  }
  // Frames of the battle with the keys held; whether the last one ended it.
  bool run(int frames, std::initializer_list<Platform::Key> held = {}) {
    bool ended = false;
    for (int n = 0; n < frames; ++n) {
      step(held);
      ended = battle().update();
    }
    return ended;
  }
  // Frames of the battle until it reports its end; -1 past the limit.
  int framesUntilEnd(int limit, std::initializer_list<Platform::Key> held = {}) {
    for (int n = 1; n <= limit; ++n) {
      if (run(1, held)) return n;
    }
    return -1;
  }
  // An art of the keys, named 試し.
  Game::Ability art(const std::string& keys) {
    Game::NmlDocument document;
    document.loadFromText("art.txt", ("ability{ name 試し; " + keys + " }").c_str());
    mArts.push_back(std::make_unique<Game::AbilityData>());
    mArts.back()->read(*document.child(0), Game::Database::instance()->states());
    return Game::Ability(mArts.back().get());
  }

  std::vector<std::unique_ptr<Game::PlayerGhost>> mMembers;
  std::vector<std::unique_ptr<Game::AbilityData>> mArts;
};

}  // namespace BattleTestSupport
