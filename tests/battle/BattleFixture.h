#pragma once

#include "records/Database.h"
#include "tests/live/unit/BattleUnitFixture.h"

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

}  // namespace BattleTestSupport
