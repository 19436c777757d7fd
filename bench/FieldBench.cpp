// A field frame on a generated 64 x 64 floor with 30 enemies standing on it,
// on the recording device, against the draw of the floor's map alone (the
// peer): the ratio says what the field's own work (symbols, scripts, value
// grid, overlay) adds to a frame's drawing.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Platform/TextCodec.h"
#include "bench/FakeRendererScene.h"
#include "bench/SampleFiles.h"
#include "running/game/GameData.h"
#include "core/map/MapBuildQueue.h"
#include "core/random/RandomGenerator.h"
#include "field/FieldScene.h"
#include "map/MapGenerator.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "records/Database.h"
#include "records/constance/Constance.h"

namespace field_bench {

using BenchSupport::now;
using Engine::i32;

constexpr i32 kEnemies = 30;
constexpr const char* kSite = "灰の坑道";
constexpr const char* kFloor = "bench64";
constexpr const char* kFloorFile = "src/data/map/mine/bench64.txt";
// The mine's generated floor at 64 x 64, without enemies of its own.
constexpr const char* kFloorText =
    "random{ size 64,64; roomMin 3; roomMax 9; separatorProbability 90; passageNumber 1/2;"
    " room{ chip 石床; height 0; } passage{ chip 石床; height 0; } wall{ chip 石壁床; height 2; }"
    " object{ object 柱; } objectOnWall{ object 壁灯; } startPosition 1; 階段 下,2; }";

// The sample game on the faked renderer with the bench floor open and its
// enemies spread over its open cells.
class FieldBenchScene {
 public:
  FieldBenchScene() {
    BenchSupport::putSampleFiles(mFakes.backend().fakeFileSystem);
    mFakes.backend().fakeFileSystem.put(kFloorFile, kFloorText);
    Game::SceneRenderer::instance()->enableOutput();
    Game::SceneRenderer::instance()->setFadeLevel(0);
    Game::Constance::create();
    Game::Database::create();
    Game::Database::instance()->load();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(7);
    Game::MapBuildQueue::create();
    Game::SystemResources::create();
    Game::GuiPictures::create();
    mGame = std::make_unique<Game::GameData>();
    mField = std::make_unique<Game::FieldScene>(*mGame);
    mField->loadFloor(Game::Database::instance()->findSite(kSite), kFloor, false);
    placeEnemies();
    mField->floorMap().buildAllMeshes();
  }
  ~FieldBenchScene() {
    mField.reset();
    mGame.reset();
    Game::GuiPictures::destroy();
    Game::SystemResources::destroy();
    Game::MapBuildQueue::destroy();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
  }
  FieldBenchScene(const FieldBenchScene&) = delete;
  FieldBenchScene& operator=(const FieldBenchScene&) = delete;

  Game::FieldScene& field() { return *mField; }
  Game::SceneRenderer& renderer() { return *Game::SceneRenderer::instance(); }
  // What the frame queued is drawn, as the application ends a frame.
  void endFrame() {
    renderer().flush();
    mFakes.backend().fakeGraphicsDevice.calls.clear();
  }

 private:
  // Every k-th open cell, so the enemies spread over the floor.
  void placeEnemies() {
    const Game::MapGenerator& floor = *mField->generator();
    std::vector<std::pair<i32, i32>> open;
    for (i32 x = 0; x < floor.width(); ++x) {
      for (i32 y = 0; y < floor.height(); ++y) {
        if (floor.isOpen(x, y)) open.emplace_back(x, y);
      }
    }
    const Game::RaceData& race = Game::Database::instance()->findRace("粘体");
    const std::size_t step = open.size() / kEnemies;
    for (i32 i = 0; i < kEnemies; ++i) {
      const auto& [x, y] = open[static_cast<std::size_t>(i) * step + step / 2];
      mField->placeEnemy(race, x, y);
    }
  }

  BenchSupport::FakeRendererScene mFakes{};
  std::unique_ptr<Game::GameData> mGame;
  std::unique_ptr<Game::FieldScene> mField;
};

// FieldScene::update fills the value grid, draws the floor's models, map and
// symbols, runs the scripts and moves the symbols; the peer draws the map
// alone at the same frame.
void BM_FieldFrameOverMapDraw(benchmark::State& state) {
  FieldBenchScene scene;
  double fieldTotal = 0.0;
  double mapTotal = 0.0;
  float frame = 0.f;
  for (auto _ : state) {
    scene.renderer().beginFrame();
    double start = now();
    scene.field().update();
    scene.endFrame();
    const double field = now() - start;
    scene.renderer().beginFrame();
    start = now();
    scene.field().floorMap().draw(frame);
    scene.endFrame();
    const double map = now() - start;
    frame += 1.f;
    state.SetIterationTime(field);
    fieldTotal += field;
    mapTotal += map;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["field_frame_ms"] = 1000.0 * fieldTotal / n;
  state.counters["map_draw_ms"] = 1000.0 * mapTotal / n;
  state.counters["field_over_map"] = fieldTotal / mapTotal;
}
// A fixed count keeps the run short: each iteration also pays the peer's
// draw, which the manual clock leaves out.
BENCHMARK(BM_FieldFrameOverMapDraw)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace field_bench
