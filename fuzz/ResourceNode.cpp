// A resource definition file of any bytes: whatever the keys say (sizes,
// texture names, includes of files that are not there, names reused across
// kinds, models that name each other), reading must end, every batch must
// hold whole triangles of its index buffer, every uploaded vertex must be
// finite, and drawing every model must end. A data-error stop that names the
// file is an outcome; any other is a fault.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Graphics/Vertex.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "Graphics/src/BufferImpl.h"
#include "PlatformFake/FakeGraphicsDevice.h"
#include "core/file/FileLoader.h"
#include "fuzz/FuzzStop.h"
#include "presentation/model/Model.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/DrawHook.h"

namespace {

void fail(const char* what, int batch) {
  std::fprintf(stderr, "batch %d: %s\n", batch, what);
  std::abort();
}

void check(const Game::ResourceSet& set) {
  for (int i = 0; const Game::Batch* batch = set.getBatch(i); ++i) {
    if (!batch->hasMesh()) {
      if (batch->triangleCount() != 0) {
        fail("triangles without buffers", i);
      }
      continue;
    }
    if (static_cast<Engine::u32>(batch->triangleCount()) * 3 > batch->indexBuffer().count()) {
      fail("more triangles than indices", i);
    }
    const auto* device = static_cast<const PlatformFake::FakeGraphicsBuffer*>(batch->vertexBuffer().impl()->buffer());
    const auto* vertex = reinterpret_cast<const Engine::Graphics::Vertex*>(device->data.data());
    for (Engine::u32 k = 0; k < batch->vertexBuffer().count(); ++k, ++vertex) {
      for (float value : {vertex->x, vertex->y, vertex->z, vertex->u, vertex->v}) {
        if (!std::isfinite(value)) {
          fail("a vertex that is not finite", i);
        }
      }
    }
  }
}

// Counts draws; the camera looks down −y.
class CountingHook final : public Game::DrawHook {
 public:
  CountingHook() { mBillboard.setIdentity(); }
  void queue(const Game::Batch&, const Game::Texture*, const Game::RenderState&) override { ++draws; }
  Engine::Math::Vector3 project(const Engine::Math::Vector3& p) const override { return {-p.x, p.z, -p.y}; }
  float inverseDistance() const override { return 50.f; }
  const Engine::Math::Matrix34& billboardMatrix() const override { return mBillboard; }

  long draws = 0;

 private:
  Engine::Math::Matrix34 mBillboard;
};

void drawModels(const Game::ResourceSet& set) {
  CountingHook hook;
  Game::DrawHook::install(&hook);
  for (int i = 0; const Game::Model* model = set.getModel(i); ++i) {
    for (float time : {0.f, 37.f, 1e6f}) {
      model->draw(Game::RenderState(), time);
      model->cyclesDone(time);
    }
  }
  Game::DrawHook::install(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Throw);
  // The input as a resource file, an image with its own size, and one that
  // is not an image.
  backend.fakeFileSystem.put("src/fuzz.txt", std::vector<std::uint8_t>(data, data + size));
  backend.fakeFileSystem.put("src/wall.tga", std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                                        1, 0, 1, 0, 32, 0x20, 1, 2, 3, 4});
  backend.fakeFileSystem.put("src/bad.tga", std::vector<std::uint8_t>(3, 0));
  Engine::Threading::Manager::create(0);
  Engine::FileIO::ManagerOptions options;
  options.abortOnError = false;
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  Game::FileLoader::create();
  Engine::Graphics::Manager::create(640, 480, false, true, false);
  try {
    Game::ResourceSet set;
    set.load("src/fuzz.txt");
    check(set);
    drawModels(set);
  } catch (const FuzzSupport::DataStop& stop) {
    FuzzSupport::expectNamed(stop, "src/fuzz.txt");
  }
  Engine::Graphics::Manager::destroy();
  Game::FileLoader::destroy();
  Engine::FileIO::ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
  return 0;
}
