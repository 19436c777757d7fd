#pragma once

// The battle tests' two worlds: the fake battle over the database's own
// texts, and battles a new game over the sample data runs.

#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "live/unit/PlayerGhost.h"
#include "core/file/nml/NmlDocument.h"
#include "records/Database.h"
#include "records/table/AbilityData.h"
#include "tests/live/unit/BattleUnitFixture.h"
#include "tests/running/script/ScriptFixture.h"

namespace BattleTestSupport {

// Arts, shells and synchro groups of their own for the battle's grid and
// side rules.
class BattleFixture : public UnitTestSupport::BattleUnitWorld {
 protected:
  static constexpr const char* kStates = R"(
state{ name 世界; timer 2; }
state{ name ディレイ; timer 1; }
)";
  static constexpr const char* kArts = R"(
ability{ name 突き; type 攻撃; range 近; area 単; }
ability{ name 矢; type 攻撃; range 遠; area 単; }
ability{ name 構え; type 攻撃; range 自; area 単; }
ability{ name 手当て; type 補助; range 近; area 単; }
ability{ name 祈り; type 補助; range 遠; area 全; }
ability{ name 瞑想; type 補助; range 自; area 単; }
ability{ name 早業; type 攻撃; range 遠; area 単; speed 33554432; }
ability{ name 呪力容量拡大; passive; }
ability{ name 初期呪力増加; passive; }
ability{ name 合わせ技; passive; }
)";
  static constexpr const char* kShells = R"(
shell{ name 甲; status{} skill{} defense{} }
shell{ name 乙; status{} skill{} defense{} }
shell{ name 丙; status{} skill{} defense{} }
)";
  // 双 needs both its members, 三 two of its three, 独 its one (and its
  // energy values are the int range's top).
  static constexpr const char* kSynchros = R"(
synchro{ name 双; member 甲; member 乙; energySpeed 4; energyCapacity 20;
  arts{ arts{ ability 合わせ技; level 2; } } status{ 腕力 3; 知力 5; } attack{ factor 水; }
  defense{ factor{ 音 50; } } }
synchro{ name 三; member 甲; member 乙; member 丙; number 2; energySpeed 1; energyCapacity 7; status{ 腕力 10; } }
synchro{ name 独; member 丙; number 1; energySpeed 2147483647; energyCapacity 2147483647; }
)";

  void SetUp() override {
    DatabaseTest::SetUp();
    load(DatabaseTestSupport::BattleTexts::empty()
             .with(Game::Database::kStates, kStates)
             .with(Game::Database::kAbilities, kArts)
             .with(Game::Database::kShells, kShells)
             .with(Game::Database::kSynchros, kSynchros));
  }
};

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
  BattleGameTest() { mLoadErrorsHalt = false; }
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
