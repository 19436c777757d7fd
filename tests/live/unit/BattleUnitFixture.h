#pragma once

#include <memory>
#include <vector>

#include "live/Unit.h"
#include "live/unit/PlayerGhost.h"
#include "tests/live/unit/FakeBattleServices.h"
#include "tests/live/unit/TestGhost.h"
#include "tests/records/database/DatabaseFixture.h"

namespace UnitTestSupport {

// The fake battle units fight in, units over test ghosts or party
// characters in it, and the arts and states of the texts a test loads.
class BattleUnitWorld : public DatabaseTestSupport::DatabaseTest {
 protected:
  // A ghost with every attribute at `attribute`, HP and LP maxima as given.
  TestGhost& makeGhost(bool enemy = false, Engine::i32 maxHp = 100, Engine::i32 maxLp = 100,
                       Engine::i32 attribute = 20) {
    mGhosts.push_back(std::make_unique<TestGhost>());
    TestGhost& ghost = *mGhosts.back();
    ghost.enemy = enemy;
    ghost.caps[Game::Parameters::kHp] = maxHp;
    ghost.caps[Game::Parameters::kLp] = maxLp;
    for (int i = Game::Parameters::kStrength; i < Game::Parameters::kCount; ++i) {
      ghost.caps[i] = attribute;
    }
    return ghost;
  }
  // A unit over the ghost in the fake battle (or in none), on the battle's
  // list, at (row, column) when given.
  Game::Unit& makeUnit(TestGhost& ghost, bool inBattle = true, int row = -1, int column = -1) {
    mUnits.push_back(std::make_unique<Game::Unit>(ghost, inBattle ? &battle : nullptr));
    Game::Unit& unit = *mUnits.back();
    if (inBattle) {
      battle.units.push_back(&unit);
      if (row >= 0) {
        unit.placeAt(row, column);
      }
    }
    return unit;
  }
  Game::Unit& makeUnit(bool enemy = false, int row = -1, int column = -1) {
    return makeUnit(makeGhost(enemy), true, row, column);
  }
  // A unit of the side set on (row, column) without being shown there,
  // every attribute at `attribute`.
  Game::Unit& addUnit(Engine::i32 side, Engine::i32 row, Engine::i32 column, Engine::i32 attribute = 20) {
    Game::Unit& unit = makeUnit(makeGhost(side == 1, 100, 100, attribute));
    unit.setCell(row, column);
    return unit;
  }
  // A party character of the shell set on (row, column).
  Game::Unit& addMember(const char* shell, Engine::i32 row, Engine::i32 column) {
    mMembers.push_back(std::make_unique<Game::PlayerGhost>());
    mMembers.back()->setUp(*database().findShellExactly(shell), 0);
    mUnits.push_back(std::make_unique<Game::Unit>(*mMembers.back(), &battle));
    battle.units.push_back(mUnits.back().get());
    mUnits.back()->setCell(row, column);
    return *mUnits.back();
  }
  TestGhost& ghostOf(const Game::Unit& unit) {
    return static_cast<TestGhost&>(const_cast<Game::Unit&>(unit).ghost());
  }
  static void kill(Game::Unit& unit) { unit.life().kill(); }
  Game::Ability art(const char* name, int level = 1) {
    return Game::Ability(&database().findAbility(name), level);
  }
  const Game::StateData& state(const char* name) { return database().findState(name); }

  BattleTestSupport::FakeBattleServices battle;

 private:
  std::vector<std::unique_ptr<TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Game::PlayerGhost>> mMembers;
  std::vector<std::unique_ptr<Game::Unit>> mUnits;
};

// States and arts of their own for battle-unit tests.
class BattleUnitTest : public BattleUnitWorld {
 protected:
  static constexpr const char* kStates = R"(
state{ name 毒; timer 5; vanish 30; harm; critical; }
state{ name 睡眠; timer 3; vanish 50; harm; }
state{ name 恐怖; timer 3; harm; }
state{ name 麻痺; timer 2; harm; }
state{ name 呪い; timer 6; vanish 20; harm; }
state{ name ディレイ; timer 1; vanish 100; harm; }
state{ name 封印; timer 3; harm; }
state{ name 再生; timer 5; overWrite 1; }
state{ name マジックバリア; timer 3; overWrite 2; }
state{ name リヴァイヴァ; overWrite 2; }
state{ name 世界; timer 2; }
state{ name 発狂; timer 3; harm; }
state{ name チャージアップ; timer 1; }
state{ name 集中; timer 2; }
state{ name 防御; timer 1; }
state{ name 薬漬け; timer 8; harm; }
state{ name ElementalCrystalRing; timer 3; }
state{ name 腕力アップ; timer 5; type statusUp; parameter 5; }
state{ name スタン; }
state{ name 気絶; harm; }
state{ name ＬＰ回復; }
state{ name 結界; }
state{ name 呪力破壊; harm; }
state{ name リフレッシュ; }
state{ name ディスペル; }
state{ name チェック; }
state{ name カウンター無効付加; timer 2; }
state{ name 吸収付加; timer 2; }
state{ name ゴーストキャスター; timer 2; }
state{ name 呪力チャージ; }
state{ name EclipseSidestep; }
state{ name 分析; }
state{ name 氷バリア; timer 2; }
state{ name 分身; timer 2; }
state{ name シールド; timer 2; }
state{ name サーマルバリア; timer 2; }
state{ name GlintBlade; timer 2; }
state{ name FloatingBellSplash; timer 2; }
state{ name CrimsonFocus; timer 2; }
state{ name 鈍足; timer 5; type statusDown; parameter 8; }
)";
  static constexpr const char* kArts = R"(
ability{ name 斬撃サポート; passive; }
ability{ name 水サポート; passive; }
ability{ name 自動回復; passive; }
ability{ name 行動回数増加; passive; }
ability{ name 入門; passive; }
ability{ name 結界発動; type 補助; range 自; area 単; }
ability{ name 手当て; type 補助; range 近; area 単; }
ability{ name 斬る; type 攻撃; range 近; area 単; speed 30; power{ constance 10; random 0; } attack{ element 斬撃; factor 物; } }
ability{ name 火球; type 攻撃; range 遠; area 円; energy 3; cost 1; attack{ factor 術; } }
ability{ name 返し刃; type 攻撃; range 近; area 単; attack{ factor 物; } trigger{ type 自動反撃; accuracy 100; } }
ability{ name 道連れ; type 攻撃; range 遠; area 単; trigger{ type ファイナルアタック; accuracy 100; } }
ability{ name 鏡返し; type 攻撃; range 遠; area 単; attack{ factor 反射; } trigger{ type 自動反撃; accuracy 100; } }
ability{ name ファイナルストライク; passive; }
ability{ name ていねいに扱う; passive; }
ability{ name エース; passive; }
ability{ name 狙われにくい; passive; }
ability{ name 自動発狂; passive; }
ability{ name 自動サーマル; passive; }
ability{ name 自動シールド; passive; }
ability{ name 自動スタン; passive; }
ability{ name 突き; type 攻撃; range 近; area 単; energy 2; cost 2; attack{ factor 物; } }
ability{ name 身構え; type 攻撃; range 近; area 単; trigger{ type 反撃; } }
ability{ name 禁じ手; type 攻撃; range 近; area 単; expression 0; }
ability{ name 溜め撃ち; type 攻撃; range 遠; area 単; charge 2; }
ability{ name 奥義; type 攻撃; range 近; area 単; cost 1; }
ability{ name 気弾; type 攻撃; range 遠; area 単; energy 2; }
ability{ name 副作用; type 補助; range 自; area 単; }
ability{ name 追い打ち; type 攻撃; range 近; area 単; trigger{ type 追撃; } }
ability{ name 癒しの追撃; type 補助; range 自; area 単; trigger{ type 追撃; } }
ability{ name EclipseSidestep; type 補助; range 自; area 単; }
ability{ name 氷バリア発動; type 補助; range 自; area 単; expression 0; }
ability{ name 氷バリア冷防御; type 補助; range 自; area 単; }
ability{ name 分身; type 補助; range 自; area 単; }
ability{ name シールド発動; type 補助; range 自; area 単; }
ability{ name サーマル冷熱防御; type 補助; range 自; area 単; }
ability{ name サーマルカウンター; type 攻撃; range 遠; area 単; }
ability{ name パリィ; type 補助; range 自; area 単; }
ability{ name FloatingBellSplash; type 補助; range 自; area 単; }
ability{ name Stillmere; type 攻撃; range 遠; area 単; }
)";
  static constexpr const char* kTools = R"(
tool{ name 槍; icon 槍; price 30; energy 5; equip{ weapon 6; } }
)";

  void SetUp() override {
    DatabaseTest::SetUp();
    load(DatabaseTestSupport::BattleTexts::empty()
             .with(Game::Database::kStates, kStates)
             .with(Game::Database::kAbilities, kArts)
             .with(Game::Database::kTools, kTools));
  }
};

}  // namespace UnitTestSupport
