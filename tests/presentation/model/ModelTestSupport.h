#pragma once

#include <string>
#include <vector>

#include "presentation/model/Model.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/scene/DrawHook.h"

namespace ModelTestSupport {

// Takes the draws of models in place of the renderer. The camera stands on
// +y looking toward −y, z up, without perspective: screen x is −world x,
// screen y is world z, depth is depthOffset − world y.
class RecordingHook : public Game::DrawHook {
 public:
  struct Draw {
    std::string batch;
    Game::RenderState state;
    // What the time track of the test models put into x.
    float time() const { return state.transform(0, 3) * 400.f; }
  };

  RecordingHook() {
    mBillboard.setIdentity();
    Game::DrawHook::install(this);
  }
  ~RecordingHook() override { Game::DrawHook::install(nullptr); }

  void queue(const Game::Batch& batch, const Game::Texture*, const Game::RenderState& state) override {
    draws.push_back({batch.name(), state});
  }
  Engine::Math::Vector3 project(const Engine::Math::Vector3& p) const override {
    return {-p.x, p.z, depthOffset - p.y};
  }
  float inverseDistance() const override { return 50.f; }
  const Engine::Math::Matrix34& billboardMatrix() const override { return mBillboard; }

  // "batch@time" for each draw since the last call.
  std::vector<std::string> take() {
    std::vector<std::string> out;
    for (const Draw& draw : draws) {
      out.push_back(draw.batch + "@" + std::to_string(static_cast<int>(draw.time() + 0.5f)));
    }
    draws.clear();
    return out;
  }

  std::vector<Draw> draws;
  float depthOffset = 0.f;

 private:
  Engine::Math::Matrix34 mBillboard;
};

// Resource files on the fake file system with draws recorded. timed(name)
// is a batch under an animation that moves it along x by one world unit a
// frame, so each draw tells the time (below 1000) it was made at.
class ModelTest : public ResourceTestSupport::ResourceTest {
 protected:
  // The batches go before the graphics manager.
  void TearDown() override {
    mSet.clear();
    ResourceTest::TearDown();
  }

  static std::string timed(const std::string& name) {
    return "animation{position{x{{value 0;delay 1000;}{value 1000;}}}}batch{name " + name +
           ";rect 0,0,2,2;}";
  }

  Game::ResourceSet& load(const std::string& text) {
    // A new name each time: a file once read is not read again.
    const std::string path = "src/data/model" + std::to_string(mLoads++) + ".txt";
    fs().put(path, text);
    mSet.clear();
    mSet.load(path.c_str());
    return mSet;
  }
  Game::Model& model(const char* name) {
    Game::Model* found = mSet.findModel(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  std::vector<std::string> drawn(const char* name, float time, const Game::RenderState& state = {}) {
    model(name).draw(state, time);
    return hook.take();
  }

  Game::ResourceSet mSet;
  RecordingHook hook;
  int mLoads = 0;
};

}  // namespace ModelTestSupport
