#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "effect/bank/Piece.h"
#include "file/nml/NmlDocument.h"
#include "presentation/model/Model.h"
#include "presentation/scene/SceneNode.h"
#include "tests/effect/EffectFixture.h"

namespace BankTestSupport {

// The effects' battle with the pieces reporting to its recording stage, two
// more unit pictures (sizes 100 and 400) and helpers that collect the nodes
// a launch creates.
class BankTest : public EffectTestSupport::EffectTest {
 protected:
  // A set with "main" as model and animation, and two more models.
  static constexpr const char* kPieceSet =
      "animation{ name main; time 8; }\nmodel{ name main; time 8; }\nmodel{ name second; time 8; }\n"
      "model{ name third; time 8; }\n";

  void SetUp() override {
    EffectTest::SetUp();
    Game::NmlDocument pictures;
    pictures.loadFromText("src/picture/unit/list.txt", "Small figure,25/64;\nLarge figure,25/16;\n");
    Game::Database::instance()->maps().units.read(pictures, "src/picture/unit/list.txt");
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    EffectTest::TearDown();
  }

  // The bank file (under src/picture/animation/bank/) with the piece set.
  void putBank(const std::string& name, const char* text = kPieceSet) {
    fs().put("src/picture/animation/bank/" + name + ".txt", text);
  }
  void putOverlay(const std::string& name, const char* text = kPieceSet) {
    fs().put("src/picture/animation/animation/" + name + ".txt", text);
  }

  // The nodes that the call makes active, in slot order.
  std::vector<Game::SceneNode*> launched(const std::function<void()>& launch) {
    std::vector<bool> before(static_cast<std::size_t>(stage.pool.capacity()));
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      before[static_cast<std::size_t>(i)] = stage.pool.node(i).isActive();
    }
    launch();
    std::vector<Game::SceneNode*> made;
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      if (!before[static_cast<std::size_t>(i)] && stage.pool.node(i).isActive()) {
        made.push_back(&stage.pool.node(i));
      }
    }
    return made;
  }

  static Engine::Math::Vector3 difference(const Engine::Math::Vector3& a, const Engine::Math::Vector3& b) {
    Engine::Math::Vector3 d;
    d.setSub(a, b);
    return d;
  }
  static float distance(const Engine::Math::Vector3& a, const Engine::Math::Vector3& b) {
    return difference(a, b).length();
  }
  static float flatDistance(const Engine::Math::Vector3& a, const Engine::Math::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
  }
  static Engine::Math::Vector3 velocity(const Game::SceneNode& node) {
    return {node.position.x.velocity(), node.position.y.velocity(), node.position.z.velocity()};
  }
  // "" for a node without a model.
  static std::string modelName(const Game::SceneNode& node) {
    return node.getModel() ? node.getModel()->name() : "";
  }
};

}  // namespace BankTestSupport
