#include "script/SceneModels.h"

namespace Game::ScriptStuff {

namespace {

class NoSceneModels final : public SceneModels {
 public:
  void addContainer(const char*, const char*) override {}
  void addModel(const char*, const char*, const char*, float) override {}
  void destroyModel(const char*) override {}
  void draw() override {}
  void clear() override {}
};

SceneModels* gInstalled = nullptr;

}  // namespace

SceneModels& SceneModels::current() {
  static NoSceneModels sNone;
  return gInstalled ? *gInstalled : sNone;
}

void SceneModels::install(SceneModels* models) { gInstalled = models; }

}  // namespace Game::ScriptStuff
