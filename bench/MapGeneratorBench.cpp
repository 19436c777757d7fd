// Generating a 64 x 64 random floor (seed fixed, configuration read each
// time, as the floor loader does) against building the same floor from its
// spec grid: cells, objects and every mesh group at once, on the recording
// device. The ratio says what the generator adds to entering a floor.

#include <benchmark/benchmark.h>

#include "bench/FakeRendererScene.h"
#include "core/random/RandomGenerator.h"
#include "core/file/nml/NmlDocument.h"
#include "map/Map.h"
#include "map/MapGenerator.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/MapPictureSet.h"

namespace map_generator_bench {

using BenchSupport::now;

constexpr const char* kFloor =
    "size 64,64;roomMin 4;roomMax 12;separatorProbability 80;passageNumber 1;room{chip 床;}"
    "roomSide{chip 縁;}passage{chip 道;}wall{chip 壁;height 4;}separator{chip 仕切;height 4;}"
    "object{object 柱;}objectOnWall{object 松明;}event 3,4,5,6,7,8;startPosition 1;階段 上,2;";
constexpr Engine::i32 kSeed = 3;

// The faked renderer with the chips, wall and objects of the floor.
class GeneratorScene {
 public:
  GeneratorScene() {
    Game::NmlDocument tiles;
    tiles.loadFromText("tiles", "wall{name w;file w;}chip{name 床;file c;}chip{name 縁;file c;}"
                                "chip{name 道;file c;}chip{name 壁;file c;wall w;section;}"
                                "chip{name 仕切;file c;wall w;section;}");
    pictures.readTiles(tiles, "tiles");
    Game::NmlDocument objects;
    objects.loadFromText("objects", "object{file o;name 柱;}object{file o;name 松明;}object{file o;name 階段上り;}"
                                    "object{file o;name 階段下り;}");
    pictures.readObjects(objects, "objects");
    floorNode.loadFromText("b2.txt", kFloor);
  }
  ~GeneratorScene() { pictures.release(); }

  Game::MapGenerator generate() {
    random.setSeed(kSeed);
    return Game::MapGenerator(Game::MapGeneratorConfig::read(floorNode, pictures, nullptr, "b2.txt"), random);
  }

  BenchSupport::FakeRendererScene fakes{{"src/picture/map/chip/c.txt", "texture{name c;size 32;}"},
                                        {"src/picture/map/wall/w.txt", "texture{name w;size 32;}"},
                                        {"src/picture/map/object/o.txt", "model{name main;}"}};
  Game::MapPictureSet pictures;
  Game::NmlDocument floorNode;
  Game::RandomGenerator random{kSeed};
};

// The generation is the iteration's time; the build of its grid the peer.
void BM_GenerateFloorAgainstBuildingIt(benchmark::State& state) {
  GeneratorScene scene;
  const Game::FloorSpecGrid specs = scene.generate().specGrid();
  double generateTotal = 0.0;
  double buildTotal = 0.0;
  for (auto _ : state) {
    double start = now();
    Game::MapGenerator floor = scene.generate();
    const double generated = now() - start;
    benchmark::DoNotOptimize(floor.width());
    Game::Map map(scene.pictures);
    start = now();
    map.build(specs);
    map.buildAllMeshes();
    const double built = now() - start;
    state.SetIterationTime(generated);
    generateTotal += generated;
    buildTotal += built;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["generate_ms"] = 1000.0 * generateTotal / n;
  state.counters["build_ms"] = 1000.0 * buildTotal / n;
  state.counters["generate_over_build"] = generateTotal / buildTotal;
}
BENCHMARK(BM_GenerateFloorAgainstBuildingIt)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace map_generator_bench
