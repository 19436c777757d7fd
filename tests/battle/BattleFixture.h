#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Unit.h"
#include "data/unit/PlayerGhost.h"
#include "resource/Database.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/resource/database/DatabaseFixture.h"

namespace BattleTestSupport {

// Arts, shells and synchro groups of their own for the battle's grid and
// side rules, the fake battle the units stand in and units at given cells.
class BattleFixture : public DatabaseTestSupport::DatabaseTest {
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

  // A unit of the side standing at (row, column) in the battle, every
  // attribute at `attribute`.
  Game::Unit& addUnit(Engine::i32 side, Engine::i32 row, Engine::i32 column, Engine::i32 attribute = 20) {
    mGhosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    UnitTestSupport::TestGhost& ghost = *mGhosts.back();
    ghost.enemy = side == 1;
    for (Engine::i32 i = Game::Parameters::kStrength; i < Game::Parameters::kCount; ++i) {
      ghost.caps[i] = attribute;
    }
    return keep(std::make_unique<Game::Unit>(ghost, &battle), row, column);
  }
  // A party character of the shell at (row, column).
  Game::Unit& addMember(const char* shell, Engine::i32 row, Engine::i32 column) {
    mMembers.push_back(std::make_unique<Game::PlayerGhost>());
    mMembers.back()->setUp(*database().findShellExactly(shell), 0);
    return keep(std::make_unique<Game::Unit>(*mMembers.back(), &battle), row, column);
  }
  UnitTestSupport::TestGhost& ghostOf(const Game::Unit& unit) {
    return static_cast<UnitTestSupport::TestGhost&>(const_cast<Game::Unit&>(unit).ghost());
  }
  Game::Ability art(const char* name, Engine::i32 level = 1) {
    return Game::Ability(&database().findAbility(name), level);
  }
  static void kill(Game::Unit& unit) { unit.life().kill(); }

  FakeBattleServices battle;

 private:
  Game::Unit& keep(std::unique_ptr<Game::Unit> unit, Engine::i32 row, Engine::i32 column) {
    unit->setCell(row, column);
    battle.units.push_back(unit.get());
    mUnits.push_back(std::move(unit));
    return *mUnits.back();
  }

  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Game::PlayerGhost>> mMembers;
  std::vector<std::unique_ptr<Game::Unit>> mUnits;
};

}  // namespace BattleTestSupport
