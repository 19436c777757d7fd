#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "live/Unit.h"
#include "records/ability/Ability.h"
#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "effect/Stage.h"
#include "presentation/scene/SceneNodePool.h"
#include "tests/live/unit/FakeBattleServices.h"
#include "tests/live/unit/TestGhost.h"

namespace EffectTestSupport {

// A battle that records what effects ask of it: screen, caption, battle
// sounds and camera calls as text lines, the effects' own sounds, and every
// lookup that failed. Its pool is the battle's 1024 nodes.
class RecordingStage final : public Game::Effect::Stage {
 public:
  struct Sound {
    std::string key;
    Engine::i32 index;
    Engine::i32 delay;
  };

  Game::SceneNodePool& scenePool() override { return pool; }
  void flashWhite() override { record("flashWhite"); }
  void flashBlack() override { record("flashBlack"); }
  void flash(Engine::u32 argb, Engine::i32 frames) override {
    record("flash " + std::to_string(argb) + " " + std::to_string(frames));
  }
  void toggleScreenEffect() override { record("screenEffect"); }
  void setDimTarget(float target) override { record("dim " + number(target)); }
  void showCaption(const char* text, Engine::i32 side) override {
    record("caption " + std::string(text) + " " + std::to_string(side));
  }
  void playBattleSound(const char* key, Engine::i32 delay) override {
    record("battleSound " + std::string(key) + " " + std::to_string(delay));
  }
  void startBattleSound(const char* key, Engine::i32 delay) override {
    record("battleSoundStart " + std::string(key) + " " + std::to_string(delay));
  }
  void setCameraZoom(float zoom) override { record("zoom " + number(zoom)); }
  void setCameraHeading(float degrees) override { record("heading " + number(degrees)); }
  void setCameraPitch(float degrees) override { record("pitch " + number(degrees)); }
  void setCameraDistance(float factor) override { record("distance " + number(factor)); }
  void setCameraShake(float z) override { record("shake " + number(z)); }
  void setAspectScale(float scale) override { record("aspect " + number(scale)); }
  void project(Engine::Math::Vector3& out, const Engine::Math::Vector3& worldPoint) const override {
    out = worldPoint;
  }
  void soundPlayed(const char* key, Engine::i32 index, Engine::i32 delay) override {
    sounds.push_back(Sound{key, index, delay});
  }
  void lookupFailed(const char* what, const char* name) override {
    failures.push_back(std::string(what) + " " + name);
  }

  // The effects' sounds as "key:index+delay", space apart.
  std::string soundList() const {
    std::string out;
    for (const Sound& sound : sounds) {
      out += (out.empty() ? "" : " ") + sound.key + ":" + std::to_string(sound.index) + "+" +
             std::to_string(sound.delay);
    }
    return out;
  }

  // Calls of that text.
  int count(const std::string& call) const {
    int n = 0;
    for (const std::string& line : calls) {
      n += line == call ? 1 : 0;
    }
    return n;
  }

  Game::SceneNodePool pool{Game::SceneNodePool::kSceneCapacity};
  std::vector<std::string> calls;
  std::vector<Sound> sounds;
  std::vector<std::string> failures;

 private:
  static std::string number(float value) {
    const int whole = static_cast<int>(value);
    return static_cast<float>(whole) == value ? std::to_string(whole) : std::to_string(value);
  }
  void record(std::string line) { calls.push_back(std::move(line)); }
};

// An action with its targets and their results; counts the result displays
// and the frames they came on.
class RecordingAction final : public Game::Effect::ActionRecord {
 public:
  RecordingAction(RecordingStage& stage, Game::Unit& actor, Game::Ability art)
      : mStage(stage), mActor(actor), mArt(art) {}

  Game::Effect::Stage& stage() const override { return mStage; }
  Game::Unit& actor() const override { return mActor; }
  const Game::Ability& ability() const override { return mArt; }
  Engine::i32 targetCount() const override { return static_cast<Engine::i32>(targets.size()); }
  Game::Unit& target(Engine::i32 i) const override { return *targets[static_cast<std::size_t>(i)].first; }
  ResultKind resultKind(Engine::i32 i) const override { return targets[static_cast<std::size_t>(i)].second; }
  const Engine::Math::Vector3& aimPoint() const override { return aim; }
  Game::Place targetCell() const override { return cell; }
  void targetCellPosition(Engine::Math::Vector3& out) const override { out = aim; }
  const char* caption() const override { return captionText.empty() ? nullptr : captionText.c_str(); }
  void showResults() override { ++resultsShown; }

  void add(Game::Unit& unit, ResultKind kind) { targets.emplace_back(&unit, kind); }

  std::vector<std::pair<Game::Unit*, ResultKind>> targets;
  Engine::Math::Vector3 aim{0.f, 0.f, 0.f};
  Game::Place cell;
  std::string captionText;
  int resultsShown = 0;

 private:
  RecordingStage& mStage;
  Game::Unit& mActor;
  Game::Ability mArt;
};

using ResultKind = Game::Effect::ActionRecord::ResultKind;

// The battle effects play in: units on both sides whose nodes live in the
// recording stage's pool, the actions they take, the camera. Clear it
// before the databases go.
class EffectBattle {
 public:
  EffectBattle() { battle.pool = &stage.pool; }

  // A unit of the side at the cell with that picture, on the battle's list.
  Game::Unit& makeUnit(int side, int row, int column, const char* appearance = "Kessa") {
    mGhosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    mGhosts.back()->enemy = side == 1;
    mGhosts.back()->appearance = appearance;
    mUnits.push_back(std::make_unique<Game::Unit>(*mGhosts.back(), &battle));
    battle.units.push_back(mUnits.back().get());
    mUnits.back()->placeAt(row, column);
    return *mUnits.back();
  }

  // An action of the caster with the art on the targets, with their result
  // kinds, aimed at the middle cell of the other side.
  RecordingAction& makeAction(Game::Unit& caster, std::vector<std::pair<Game::Unit*, ResultKind>> targets,
                              Game::Ability art) {
    mActions.push_back(std::make_unique<RecordingAction>(stage, caster, art));
    RecordingAction& action = *mActions.back();
    for (auto& [unit, kind] : targets) {
      action.add(*unit, kind);
    }
    action.cell = Game::Place{1 - caster.side(), 1, 2};
    Game::Unit::cellPosition(action.aim, action.cell.side, action.cell.row, action.cell.column);
    return action;
  }
  RecordingAction& makeAction(Game::Unit& caster, std::vector<std::pair<Game::Unit*, ResultKind>> targets) {
    return makeAction(caster, std::move(targets), defaultArt);
  }
  // The caster's action with the target hit (or of that kind), aimed at the
  // target's cell.
  RecordingAction& hitAction(Game::Unit& caster, Game::Unit& target, ResultKind kind = ResultKind::kDamage) {
    RecordingAction& action = makeAction(caster, {{&target, kind}});
    action.cell = Game::Place{target.side(), target.row(), target.column()};
    Game::Unit::cellPosition(action.aim, target.side(), target.row(), target.column());
    return action;
  }

  // The four actions effects are played with, for a caster of the side: one
  // target hit, one missed, three of kinds 1, 0 and 2, and none.
  std::vector<RecordingAction*> standardActions(int casterSide) {
    Game::Unit& caster = makeUnit(casterSide, 0, 2);
    const int other = 1 - casterSide;
    Game::Unit& first = makeUnit(other, 0, 1, smallAppearance);
    Game::Unit& second = makeUnit(other, 1, 2);
    Game::Unit& third = makeUnit(other, 2, 3, smallAppearance);
    return {&makeAction(caster, {{&first, ResultKind::kDamage}}), &makeAction(caster, {{&first, ResultKind::kMiss}}),
            &makeAction(caster, {{&first, ResultKind::kDamage}, {&second, ResultKind::kMiss}, {&third, ResultKind::kRecovery}}),
            &makeAction(caster, {})};
  }

  // One frame of the battle: the effect's tick, then the pool's step.
  int step(Game::Effect::Cast& effect) {
    const int answer = effect.tick();
    stage.pool.update();
    return answer;
  }

  void clearBattle() {
    mActions.clear();
    battle.units.clear();
    mUnits.clear();
    mGhosts.clear();
    stage.pool.releaseAll();
  }

  RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  Game::Effect::CastCamera camera;
  // The art of actions made without one, and the picture of the small
  // units of the standard actions (3/4 the caster's size).
  Game::Ability defaultArt;
  const char* smallAppearance = "Slime";

 private:
  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Game::Unit>> mUnits;
  std::vector<std::unique_ptr<RecordingAction>> mActions;
};

}  // namespace EffectTestSupport
