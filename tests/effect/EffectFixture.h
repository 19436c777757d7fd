#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "file/nml/NmlDocument.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/effect/RecordingStage.h"

namespace EffectTestSupport {

// A battle for effects: the databases with a few arts, two unit pictures and
// the common animation lists on the fake file system, units on both sides
// whose nodes live in the recording stage's pool, and the actions effects
// are tested with.
class EffectTest : public ResourceTestSupport::ResourceTest {
 protected:
  // Arts whose effect names the actions take.
  static constexpr const char* kArts = R"(
ability{ name 打つ; type 攻撃; range 近; area 単; animationName dummy; }
ability{ name 見せない; type 攻撃; range 近; area 単; animationName none; }
)";
  // "Kessa" is drawn at scale 1 (size 256), "Slime" at 3/4 (size 192).
  static constexpr const char* kUnitPictures = "Kessa figure,1;\nSlime figure,3/4;\n";
  static constexpr const char* kFigure = "model{ name stand; }\nmodel{ name down; }\nmodel{ name appear; }\n";
  static constexpr const char* kHit = "model{ name main; time 8; }\n";
  static constexpr const char* kHitParticle = "model{ name a; time 8; }\nmodel{ name b; time 8; }\n";
  static constexpr const char* kHitFlash = "animation{ name main; time 8; }\nmodel{ name main; }\n";

  void SetUp() override {
    ResourceTest::SetUp();
    Game::Constance::create();
    Game::Database::create();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(49);
    loadArts(kArts);
    fs().put("src/picture/unit/figure.txt", kFigure);
    putCommonLists(kHit, kHitParticle, kHitFlash);
    Game::NmlDocument pictures;
    pictures.loadFromText("src/picture/unit/list.txt", kUnitPictures);
    Game::Database::instance()->maps().units.read(pictures, "src/picture/unit/list.txt");
    battle.pool = &stage.pool;
  }
  void TearDown() override {
    mActions.clear();
    mUnits.clear();
    mGhosts.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    ResourceTest::TearDown();
  }

  void putCommonLists(const char* hit, const char* particles, const char* flash) {
    fs().put("src/picture/animation/common/hit.txt", hit);
    fs().put("src/picture/animation/common/hitparticle.txt", particles);
    fs().put("src/picture/animation/common/ヒットフラッシュ.txt", flash);
  }

  // A unit of the side at the cell with that picture, on the battle's list.
  Game::Unit& makeUnit(int side, int row, int column, const char* appearance = "Kessa") {
    mGhosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    UnitTestSupport::TestGhost& ghost = *mGhosts.back();
    ghost.enemy = side == 1;
    ghost.appearance = appearance;
    mUnits.push_back(std::make_unique<Game::Unit>(ghost, &battle));
    Game::Unit& unit = *mUnits.back();
    battle.units.push_back(&unit);
    unit.placeAt(row, column);
    return unit;
  }

  Game::Ability art(const char* name) { return Game::Ability(&Game::Database::instance()->findAbility(name)); }

  // An action of the caster with the art "打つ" (effect "dummy") on the
  // targets, with their result kinds.
  RecordingAction& makeAction(Game::Unit& caster,
                              std::vector<std::pair<Game::Unit*, Game::Effect::ActionRecord::ResultKind>> targets,
                              const char* artName = "打つ") {
    mActions.push_back(std::make_unique<RecordingAction>(stage, caster, art(artName)));
    RecordingAction& action = *mActions.back();
    for (auto& [unit, kind] : targets) {
      action.add(*unit, kind);
    }
    action.cell = Game::Place{1 - caster.side(), 1, 2};
    Game::Unit::cellPosition(action.aim, action.cell.side, action.cell.row, action.cell.column);
    return action;
  }

  // The four actions effects are played with, for a caster of the side: one
  // target hit, one missed, three of kinds 1, 0 and 2, and none.
  std::vector<RecordingAction*> standardActions(int casterSide) {
    using Kind = Game::Effect::ActionRecord::ResultKind;
    Game::Unit& caster = makeUnit(casterSide, 0, 2);
    const int other = 1 - casterSide;
    Game::Unit& first = makeUnit(other, 0, 1, "Slime");
    Game::Unit& second = makeUnit(other, 1, 2);
    Game::Unit& third = makeUnit(other, 2, 3, "Slime");
    return {&makeAction(caster, {{&first, Kind::kDamage}}), &makeAction(caster, {{&first, Kind::kMiss}}),
            &makeAction(caster, {{&first, Kind::kDamage}, {&second, Kind::kMiss}, {&third, Kind::kRecovery}}),
            &makeAction(caster, {})};
  }

  // One frame of the battle: the effect's tick, then the pool's step.
  int step(Game::Effect::Cast& effect) {
    const int answer = effect.tick();
    stage.pool.update();
    return answer;
  }

  void loadArts(const char* arts) {
    mArtDocument = std::make_unique<Game::NmlDocument>();
    std::array<const Game::NmlNode*, Game::Database::kBattleFileCount> roots{};
    mEmpty = std::make_unique<Game::NmlDocument>();
    for (auto& root : roots) {
      root = mEmpty.get();
    }
    mArtDocument->loadFromText("src/data/ability.txt", arts);
    roots[Game::Database::kAbilities] = mArtDocument.get();
    Game::Database::instance()->load(roots);
  }

  RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  Game::Effect::CastCamera camera;

 private:
  std::unique_ptr<Game::NmlDocument> mArtDocument;
  std::unique_ptr<Game::NmlDocument> mEmpty;
  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Game::Unit>> mUnits;
  std::vector<std::unique_ptr<RecordingAction>> mActions;
};

}  // namespace EffectTestSupport
