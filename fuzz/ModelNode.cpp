// Model nodes from any resource file: whatever the keys say, building must
// stay inside the builder's arrays and leave only whole triangles of vertices
// that exist, with the node refused rather than cut short. A data-error stop
// that names the file is an outcome; any other is a fault.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/file/nml/NmlNode.h"
#include "fuzz/FuzzStop.h"
#include "fuzz/FuzzText.h"
#include "presentation/model/MeshBuilder.h"

namespace {

void check(const Game::MeshBuilder& mesh) {
  bool sound = mesh.vertexCount() <= mesh.vertexCapacity() && mesh.indexCount() <= mesh.indexCapacity() &&
               mesh.indexCount() % 3 == 0 && !mesh.overflowed();
  for (int i = 0; sound && i < mesh.indexCount(); ++i) {
    sound = mesh.index(i) >= 0 && mesh.index(i) < mesh.vertexCount();
  }
  if (!sound) {
    std::fprintf(stderr, "model node left a broken mesh: %d vertices, %d indices\n", mesh.vertexCount(),
                 mesh.indexCount());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Throw);
  backend.startInput();
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Game::NmlNode tree;
  tree.parse(text.data(), false, "fuzz.txt");
  try {
    // A small builder finds the limits sooner; the full one is what loads use.
    Game::MeshBuilder small(64, 96);
    small.load(tree, "fuzz.txt");
    check(small);
    Game::MeshBuilder full(Game::MeshBuilder::kModelCapacity, Game::MeshBuilder::kModelCapacity);
    for (int i = 0; i < tree.childCount(); ++i) {
      full.load(*tree.child(i), "fuzz.txt");
      check(full);
    }
  } catch (const FuzzSupport::DataStop& stop) {
    FuzzSupport::expectNamed(stop, "fuzz.txt");
  }
  return 0;
}
