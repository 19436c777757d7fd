// A 64 x 64 floor (wall ring and blocks, pillars, ramps, water, pits and 16
// lights) on the recording device.
//  - The incremental build: the slowest single buildStep (what one frame pays)
//    against building every group at once (the peer), with the ratio and the
//    share of a 60 Hz frame the slowest step takes.
//  - Map::draw through the scene renderer's queue against drawing the same
//    batches straight to the device.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/FakeRendererScene.h"
#include "core/map/MapBuildQueue.h"
#include "core/file/nml/NmlDocument.h"
#include "map/Map.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/MapPictureSet.h"

namespace map_bench {

using BenchSupport::now;
using Engine::i32;

constexpr i32 kSide = 64;
constexpr double kFrameSeconds = 1.0 / 60.0;

// The faked renderer with the chips and the wall of the floor.
class FloorScene {
 public:
  FloorScene() {
    Game::SceneRenderer::instance()->enableOutput();
    Game::SceneRenderer::instance()->setFadeLevel(0);
    Game::NmlDocument tiles;
    tiles.loadFromText("tiles", "wall{name w;file w;bottom 0xff202020;}chip{x 0;y 0;file c;}"
                                "chip{x 1;y 0;file c;wall w;section;}chip{x 2;y 0;file c;water;}"
                                "chip{x 3;y 0;file c;wall w;cylinder;}");
    pictures.readTiles(tiles, "tiles");
  }
  ~FloorScene() { pictures.release(); }

  Game::FloorSpecGrid floor() const {
    Game::FloorSpecGrid specs;
    specs.name = "bench";
    specs.resize(kSide, kSide);
    for (i32 x = 0; x < kSide; ++x) {
      for (i32 y = 0; y < kSide; ++y) {
        Game::FloorCellSpec& spec = specs.at(x, y);
        const bool wall = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1 || (x % 9 == 4 && y % 7 < 3);
        spec.chip = pictures.chipAt(wall ? 1 : (x + y) % 13 == 0 ? 2 : (x % 6 == 3 && y % 6 == 3) ? 3 : 0, 0);
        spec.height = wall ? 4 : (x / 16 + y / 16) % 3;
        spec.slope = (x * 7 + y * 3) % 11 == 0 ? (x + y) % 4 : (x * 5 + y) % 17 == 0 ? Game::FloorCellSpec::kDiagonal + x % 4 : 255;
        spec.pit = !wall && (x * 3 + y * 5) % 29 == 0;
        if (x % 16 == 8 && y % 16 == 8) {
          spec.lightKind = Game::FloorCellSpec::kAddingLight;
          spec.lightRadius = 192.f;
          spec.lightParameter = 0.5f;
        }
      }
    }
    return specs;
  }

  Game::SceneRenderer& renderer() { return *Game::SceneRenderer::instance(); }
  void forgetCalls() { mFakes.backend().fakeGraphicsDevice.calls.clear(); }

 private:
  BenchSupport::FakeRendererScene mFakes{{"src/picture/map/chip/c.txt", "texture{name c;size 32;}"},
                                         {"src/picture/map/wall/w.txt", "texture{name w;size 32;}"}};

 public:
  Game::MapPictureSet pictures;
};

// The slowest step is the iteration's time; the build of all groups at once
// (the same work, summed) is its peer.
void BM_MapSlowestBuildStep(benchmark::State& state) {
  FloorScene scene;
  const Game::FloorSpecGrid specs = scene.floor();
  double slowestTotal = 0.0;
  double allTotal = 0.0;
  for (auto _ : state) {
    Game::Map map(scene.pictures);
    map.build(specs);
    double slowest = 0.0;
    bool done = false;
    while (!done) {
      const double start = now();
      done = map.buildStep();
      slowest = std::max(slowest, now() - start);
    }
    Game::Map peer(scene.pictures);
    peer.build(specs);
    const double start = now();
    peer.buildAllMeshes();
    const double all = now() - start;
    state.SetIterationTime(slowest);
    slowestTotal += slowest;
    allTotal += all;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["slowest_step_ms"] = 1000.0 * slowestTotal / n;
  state.counters["all_at_once_ms"] = 1000.0 * allTotal / n;
  state.counters["slowest_over_all"] = slowestTotal / allTotal;
  state.counters["slowest_over_frame"] = slowestTotal / n / kFrameSeconds;
}
BENCHMARK(BM_MapSlowestBuildStep)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MapDrawQueued(benchmark::State& state) {
  FloorScene scene;
  Game::Map map(scene.pictures);
  map.build(scene.floor());
  map.buildAllMeshes();
  Game::SceneRenderer& renderer = scene.renderer();
  for (auto _ : state) {
    renderer.beginFrame();
    map.draw(0.f);
    renderer.flushLayers(true, true, true, true);
    scene.forgetCalls();
  }
  state.counters["meshes"] = static_cast<double>(map.meshes().size());
}
BENCHMARK(BM_MapDrawQueued)->Unit(benchmark::kMicrosecond);

void BM_MapBatchesDrawnDirectly(benchmark::State& state) {
  FloorScene scene;
  Game::Map map(scene.pictures);
  map.build(scene.floor());
  map.buildAllMeshes();
  Game::SceneRenderer& renderer = scene.renderer();
  const Game::RenderState plain;
  for (auto _ : state) {
    renderer.beginFrame();
    for (const auto& mesh : map.meshes()) {
      mesh->batch->drawImmediate(renderer.drawView(), mesh->batch->texture(), plain);
    }
    scene.forgetCalls();
  }
  state.counters["meshes"] = static_cast<double>(map.meshes().size());
}
BENCHMARK(BM_MapBatchesDrawnDirectly)->Unit(benchmark::kMicrosecond);

}  // namespace map_bench
