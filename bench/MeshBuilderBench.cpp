// Building one of every primitive shape, as a resource file's load does, set
// against the frame budget: "rebuildsPerFrame" is how many builds of the whole
// set fit in one 60 Hz frame (16.7 ms). The peer is appending the finished
// meshes into a fresh builder, the least any build of the same vertices costs;
// compare the two times per iteration for the ratio.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "core/config/Config.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/model/MeshBuilder.h"

namespace mesh_builder_bench {

using Game::MeshBuilder;

constexpr double kFrameSeconds = 1.0 / 60.0;

const char* const kShapes[] = {
    "size 64;",
    "type none;",
    "type cylinder; size 64;",
    "type UFO; size 64,64,40;",
    "type sphere; size 64;",
    "type cube; size 48;",
    "type dice; size 48; parameter{ size 32,32,32; }",
    "type tree; size 48,48,64; parameter{ number 3; }",
    "type octahedron; size 48;",
    "type rectPyramid; size 48;",
    "type torus; size 64,64,20;",
    "type hole; size 64;",
    "type triangle; parameter{ vertex -32,-32,0; vertex 32,-32,0; vertex 0,32,0; }",
    "type prism; size 48;",
    "type gear; size 64,64,16; parameter{ z 12; }",
    "type bullet; size 32,32,64;",
    "type star; size 64,64,12;",
    "type bipyramid; size 48,48,64;",
    "type solidOfRevolution; size 48; parameter{ vertex 0,100; vertex 40,60; vertex 100,0; vertex 0,-100; }",
    "type rock; size 64;",
    "type polygon; size 64; parameter{ vertex 6; }",
    "type belt; parameter{ time 10; curve{ x{ {value -32; delay 10;} {value 32;} } y{value 0;} z{value 0;} } }",
    "type doubleSpiral; size 48; parameter{ rotate 360; }",
};

struct ShapeSet {
  std::vector<std::unique_ptr<Game::NmlDocument>> documents;

  ShapeSet() {
    Game::Config::instance().setting(Game::Config::kOmit).set(0);
    for (const char* body : kShapes) {
      const std::string text = std::string("model{") + body + "}";
      documents.push_back(std::make_unique<Game::NmlDocument>());
      documents.back()->loadFromText("bench.txt", text.c_str());
    }
  }
  const Game::NmlNode& node(std::size_t i) const { return *documents[i]->findChild("model"); }
};

void reportFrameBudget(benchmark::State& state) {
  state.counters["rebuildsPerFrame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds, benchmark::Counter::kIsRate);
}

void BM_BuildAllShapes(benchmark::State& state) {
  const ShapeSet shapes;
  for (auto _ : state) {
    for (std::size_t i = 0; i < shapes.documents.size(); ++i) {
      MeshBuilder mesh(MeshBuilder::kModelCapacity, MeshBuilder::kModelCapacity);
      mesh.load(shapes.node(i));
      benchmark::DoNotOptimize(mesh.vertexCount());
    }
  }
  reportFrameBudget(state);
}
BENCHMARK(BM_BuildAllShapes);

void BM_AppendBuiltShapes(benchmark::State& state) {
  const ShapeSet shapes;
  std::vector<std::unique_ptr<MeshBuilder>> built;
  for (std::size_t i = 0; i < shapes.documents.size(); ++i) {
    built.push_back(std::make_unique<MeshBuilder>(MeshBuilder::kModelCapacity, MeshBuilder::kModelCapacity));
    built.back()->load(shapes.node(i));
  }
  for (auto _ : state) {
    for (const auto& finished : built) {
      MeshBuilder mesh(MeshBuilder::kModelCapacity, MeshBuilder::kModelCapacity);
      mesh.append(*finished);
      benchmark::DoNotOptimize(mesh.vertexCount());
    }
  }
  reportFrameBudget(state);
}
BENCHMARK(BM_AppendBuiltShapes);

}  // namespace mesh_builder_bench
