// The busiest battle effects on the sample data, three targets hit, one
// frame at a time on the recording device: each measured frame's effect tick
// with the pool's update and draw, against the peer of the pool's update and
// draw of the same nodes alone; the ratio, the slowest tick and its share of
// the 16.7 ms frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Platform/TextCodec.h"
#include "bench/FakeRendererScene.h"
#include "bench/SampleFiles.h"
#include "core/random/RandomGenerator.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "effect/EffectFactory.h"
#include "effect/bank/Piece.h"
#include "records/Database.h"
#include "records/constance/Constance.h"
#include "tests/live/unit/FakeBattleServices.h"
#include "tests/live/unit/TestGhost.h"
#include "tests/effect/RecordingStage.h"

namespace effect_tick_bench {

using BenchSupport::now;
using Engine::i32;

constexpr double kFrameSeconds = 1.0 / 60.0;

// An effect's class and the frames of its heaviest stretch.
struct HeavyStretch {
  const char* className;
  i32 first;
  i32 last;
};
constexpr HeavyStretch kStretches[] = {
    {"HeavenlyMistColumn", 112, 159}, {"QuietPaleRadiance", 64, 64}, {"FallingFishShower", 0, 0},
    {"CelestialShroud", 48, 48},      {"Rain", 30, 30},              {"MicroMissile", 18, 168},
};

const char* nameOfClass(const char* className) {
  for (const Game::Effect::FactoryRow& row : Game::Effect::factoryRows()) {
    if (std::strcmp(row.className, className) == 0) {
      return row.name;
    }
  }
  return nullptr;
}

// The sample databases, a caster and three targets on the recording stage.
class EffectWorld {
 public:
  EffectWorld() {
    BenchSupport::putSampleFiles(mFakes.backend().fakeFileSystem);
    Engine::Sound::Manager::create();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(57);
    mBattle.pool = &stage.pool;
    Game::Effect::Bank::reportTo(&stage);
    Game::Unit& caster = unit(0, 0, 2, "Kessa");
    action = std::make_unique<EffectTestSupport::RecordingAction>(stage, caster, Game::Ability());
    action->add(unit(1, 0, 1, "泥スライム"), Game::Effect::ActionRecord::ResultKind::kDamage);
    action->add(unit(1, 1, 2, "Kessa"), Game::Effect::ActionRecord::ResultKind::kDamage);
    action->add(unit(1, 2, 3, "泥スライム"), Game::Effect::ActionRecord::ResultKind::kDamage);
    action->cell = Game::Place{1, 1, 2};
    Game::Unit::cellPosition(action->aim, 1, 1, 2);
  }
  ~EffectWorld() {
    Game::Effect::Bank::reportTo(nullptr);
    action.reset();
    mUnits.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
  }
  EffectWorld(const EffectWorld&) = delete;
  EffectWorld& operator=(const EffectWorld&) = delete;

  void forgetCalls() { mFakes.backend().fakeGraphicsDevice.calls.clear(); }

  EffectTestSupport::RecordingStage stage;
  Game::Effect::CastCamera camera;
  std::unique_ptr<EffectTestSupport::RecordingAction> action;

 private:
  Game::Unit& unit(i32 side, i32 row, i32 column, const char* appearance) {
    mGhosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    mGhosts.back()->enemy = side == 1;
    mGhosts.back()->appearance = appearance;
    mUnits.push_back(std::make_unique<Game::Unit>(*mGhosts.back(), &mBattle));
    mBattle.units.push_back(mUnits.back().get());
    mUnits.back()->placeAt(row, column);
    return *mUnits.back();
  }

  BenchSupport::FakeRendererScene mFakes{};
  BattleTestSupport::FakeBattleServices mBattle;
  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Game::Unit>> mUnits;
};

// What the measured frames of one play took.
struct StretchTimes {
  double tickSeconds = 0.0;
  double poolSeconds = 0.0;
  double slowestTickSeconds = 0.0;
  i32 frames = 0;
};

// One play up to the stretch's last frame; on each frame of the stretch the
// tick and the pool's step are timed apart, so the pool's update and draw
// of the same nodes is the peer.
StretchTimes playStretch(EffectWorld& world, const HeavyStretch& stretch) {
  world.stage.pool.releaseAll();
  std::unique_ptr<Game::Effect::Cast> effect = Game::Effect::Cast::create(nameOfClass(stretch.className));
  effect->bind(*world.action);
  effect->setCamera(&world.camera);
  StretchTimes out;
  for (i32 frame = 0; frame <= stretch.last; ++frame) {
    const double start = now();
    effect->tick();
    const double ticked = now();
    world.stage.pool.update();
    world.stage.pool.draw();
    const double drawn = now();
    world.forgetCalls();
    if (frame >= stretch.first) {
      out.tickSeconds += ticked - start;
      out.poolSeconds += drawn - ticked;
      out.slowestTickSeconds = std::max(out.slowestTickSeconds, ticked - start);
      ++out.frames;
    }
  }
  return out;
}

void BM_EffectTickOnItsHeaviestFrames(benchmark::State& state) {
  const HeavyStretch& stretch = kStretches[state.range(0)];
  EffectWorld world;
  StretchTimes total;
  for (auto _ : state) {
    const StretchTimes play = playStretch(world, stretch);
    state.SetIterationTime(play.tickSeconds + play.poolSeconds);
    total.tickSeconds += play.tickSeconds;
    total.poolSeconds += play.poolSeconds;
    total.slowestTickSeconds = std::max(total.slowestTickSeconds, play.slowestTickSeconds);
    total.frames += play.frames;
  }
  state.SetLabel(stretch.className);
  const double frames = static_cast<double>(total.frames);
  state.counters["tick_ms"] = 1000.0 * total.tickSeconds / frames;
  state.counters["tick_slowest_ms"] = 1000.0 * total.slowestTickSeconds;
  state.counters["pool_ms"] = 1000.0 * total.poolSeconds / frames;
  state.counters["with_tick_over_pool"] = (total.tickSeconds + total.poolSeconds) / total.poolSeconds;
  state.counters["slowest_tick_of_frame"] = total.slowestTickSeconds / kFrameSeconds;
}
BENCHMARK(BM_EffectTickOnItsHeaviestFrames)
    ->DenseRange(0, static_cast<int>(std::size(kStretches)) - 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace effect_tick_bench
