// A seeded battle of five members against ten enemies on the sample data,
// 20 turns, the party's commands decided through the real menus by scripted
// keys (the first row, art and target each time), every living unit's life
// refilled at each turn so that all fifteen fight to the end (their AP and
// the party's pool too, so that the first art stays payable).
//  - Battle::update per frame while the scene renderer queues and flushes to
//    the recording device, against the same battle with the renderer hidden,
//    so that nothing is drawn (the peer): the ratio, the share of the 1 ms a
//    frame the logic step may take, and its slowest frame (the first frames
//    of the battle load its pictures and sounds). The casts wait on sounds
//    the loader reads meanwhile, so the two runs' frame counts differ a
//    little; the ratio is per frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <vector>

#include "Engine/Input/Manager.h"
#include "Engine/Sound/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "Platform/TextCodec.h"
#include "battle/Battle.h"
#include "battle/CommandPhase.h"
#include "live/unit/Ghost.h"
#include "bench/FakeRendererScene.h"
#include "bench/SampleFiles.h"
#include "running/game/GameData.h"
#include "core/input/KeyInput.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "records/Database.h"
#include "records/constance/Constance.h"

namespace battle_bench {

using BenchSupport::now;
using Engine::i32;

constexpr i32 kTurns = 20;
constexpr i32 kSeed = 56;
// A waiting menu takes a key every eighth frame.
constexpr i32 kKeyEvery = 8;
constexpr i32 kFrameLimit = 200000;
constexpr double kFrameBudgetSeconds = 0.001;
constexpr const char* kMembers[] = {"Kessa", "灯りのミオ", "Kessa", "灯りのミオ", "Kessa"};
constexpr const char* kEnemies[] = {"骨の騎士", "骨の兵士", "影法師", "泥スライム", "骨の兵士"};

// The game's singletons over the sample data and the recording device, with
// a keyboard the benchmark presses.
class BattleWorld {
 public:
  BattleWorld() {
    BenchSupport::putSampleFiles(mFakes.backend().fakeFileSystem);
    Game::SceneRenderer::instance()->enableOutput();
    // The battle's sound lists read their waves.
    Engine::Sound::Manager::create();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    Game::KeyInput::setDefaultBindings();
    Engine::Input::Manager::create();
  }
  ~BattleWorld() {
    Engine::Input::Manager::destroy();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
  }
  BattleWorld(const BattleWorld&) = delete;
  BattleWorld& operator=(const BattleWorld&) = delete;

  void press(bool decide) {
    PlatformFake::FakeKeyboard& keyboard = mFakes.backend().fakeKeyboard;
    decide ? keyboard.press(Platform::Key::X) : keyboard.release(Platform::Key::X);
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
  }
  void forgetCalls() { mFakes.backend().fakeGraphicsDevice.calls.clear(); }

 private:
  BenchSupport::FakeRendererScene mFakes{};
};

// What one run of the battle took.
struct BattleRun {
  i32 frames = 0;
  double updateSeconds = 0.0;
  double frameSeconds = 0.0;
  double slowestUpdateSeconds = 0.0;
};

class SeededBattle {
 public:
  explicit SeededBattle(BattleWorld& world) : mWorld(world) {
    Game::RandomGenerator::instance()->setSeed(kSeed);
    mGame = std::make_unique<Game::GameData>();
    for (i32 m = 0; m < 5; ++m) {
      mGhosts.push_back(std::make_unique<Game::PlayerGhost>());
      mGhosts.back()->setUp(*Game::Database::instance()->findShell(kMembers[m]), 0);
      Game::PartyMembers::Entry* entry = mGame->party().members().add(*mGhosts.back());
      entry->row = m % 2;
      entry->column = m;
    }
    mGame->setBattle(new Game::Battle(*mGame, Game::BattleSettings{}));
    for (i32 e = 0; e < 10; ++e) {
      battle().addEnemy(*Game::Database::instance()->findEnemy(kEnemies[e % 5]), e / 5, e % 5, 1.f, 0);
    }
  }
  ~SeededBattle() { mGame->setBattle(nullptr); }
  SeededBattle(const SeededBattle&) = delete;
  SeededBattle& operator=(const SeededBattle&) = delete;

  BattleRun run(bool hidden) {
    Game::SceneRenderer& renderer = *Game::SceneRenderer::instance();
    renderer.setHidden(hidden);
    BattleRun out;
    i32 turn = battle().turn();
    for (; out.frames < kFrameLimit && battle().turn() <= kTurns; ++out.frames) {
      if (battle().turn() != turn) {
        turn = battle().turn();
        refill();
      }
      mWorld.press(out.frames % kKeyEvery == kKeyEvery - 1 && menuWaits());
      const double start = now();
      renderer.beginFrame();
      const double logic = now();
      const bool over = battle().update();
      const double update = now() - logic;
      out.updateSeconds += update;
      out.slowestUpdateSeconds = std::max(out.slowestUpdateSeconds, update);
      renderer.flushLayers(true, true, true, true);
      renderer.drawFade();
      out.frameSeconds += now() - start;
      mWorld.forgetCalls();
      if (over) {
        break;
      }
    }
    renderer.setHidden(false);
    return out;
  }

 private:
  Game::Battle& battle() { return *static_cast<Game::Battle*>(mGame->battle()); }
  bool menuWaits() {
    const auto* command = dynamic_cast<const Game::BattleStuff::Command*>(battle().runningPhase());
    return command && command->introFrames() == 0 && command->menuCount() > 0;
  }
  // Nobody falls and the party can pay its first arts, so the battle runs
  // its 20 turns.
  void refill() {
    battle().side(0).setPool(std::numeric_limits<i32>::max());
    for (i32 i = 0; i < battle().unitCount(); ++i) {
      Game::Unit& unit = *battle().unitAt(i);
      if (unit.isAlive()) {
        unit.life().recoverLp(unit.maxLp());
        unit.life().recoverHp(unit.maxHp());
        unit.clamp();
        unit.ghost().fillAp();
      }
    }
  }

  BattleWorld& mWorld;
  std::unique_ptr<Game::GameData> mGame;
  std::vector<std::unique_ptr<Game::PlayerGhost>> mGhosts;
};

// The drawn run is the iteration's time; the hidden run of the same seeded
// battle is its peer.
void BM_BattleUpdatePerFrame(benchmark::State& state) {
  BattleWorld world;
  BattleRun drawnTotal;
  BattleRun hiddenTotal;
  for (auto _ : state) {
    const BattleRun drawn = SeededBattle(world).run(false);
    const BattleRun hidden = SeededBattle(world).run(true);
    state.SetIterationTime(drawn.updateSeconds);
    drawnTotal.frames += drawn.frames;
    drawnTotal.updateSeconds += drawn.updateSeconds;
    drawnTotal.frameSeconds += drawn.frameSeconds;
    drawnTotal.slowestUpdateSeconds = std::max(drawnTotal.slowestUpdateSeconds, drawn.slowestUpdateSeconds);
    hiddenTotal.frames += hidden.frames;
    hiddenTotal.updateSeconds += hidden.updateSeconds;
    hiddenTotal.frameSeconds += hidden.frameSeconds;
  }
  const double frames = static_cast<double>(drawnTotal.frames);
  const double drawnPerFrame = drawnTotal.updateSeconds / frames;
  const double hiddenPerFrame = hiddenTotal.updateSeconds / static_cast<double>(hiddenTotal.frames);
  state.counters["frames"] = frames / static_cast<double>(state.iterations());
  state.counters["frames_hidden"] = static_cast<double>(hiddenTotal.frames) / static_cast<double>(state.iterations());
  state.counters["update_ms"] = 1000.0 * drawnPerFrame;
  state.counters["update_slowest_ms"] = 1000.0 * drawnTotal.slowestUpdateSeconds;
  state.counters["update_hidden_ms"] = 1000.0 * hiddenPerFrame;
  state.counters["drawn_over_hidden"] = drawnPerFrame / hiddenPerFrame;
  state.counters["frame_ms"] = 1000.0 * drawnTotal.frameSeconds / frames;
  state.counters["frame_hidden_ms"] = 1000.0 * hiddenTotal.frameSeconds / static_cast<double>(hiddenTotal.frames);
  state.counters["update_over_budget"] = drawnPerFrame / kFrameBudgetSeconds;
}
BENCHMARK(BM_BattleUpdatePerFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace battle_bench
