#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "resource/Database.h"
#include "resource/database/BattlePictures.h"
#include "tests/effect/EffectFixture.h"

namespace EffectTestSupport {

// Modules on the recording battle: the dust and flame lists, units whose
// nodes stand unturned with their feet at a chosen point, and the nodes a
// model left in the pool.
class ModuleTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    fs().put("src/picture/animation/common/土煙.txt", "model{ name main; time 24; }\n");
    fs().put("src/picture/animation/common/炎.txt", "model{ name main; time 20; }\n");
    fs().put("src/picture/animation/test.txt",
             "model{ name shot; time 200; }\nmodel{ name trail; time 200; }\nanimation{ name fade; time 16; }\n");
    shapes = std::make_unique<Game::ResourceSet>();
    shapes->load("src/picture/animation/test.txt");
  }
  void TearDown() override {
    clearBattle();
    shapes.reset();
    EffectTest::TearDown();
  }

  static Game::Model* common(const char* list) {
    return Game::Database::instance()->maps().battle.commonAnimation(list)->find("main");
  }
  Game::Model* shot() { return shapes->findModel("shot"); }
  Game::Model* trail() { return shapes->findModel("trail"); }

  // The model's nodes in use, in slot order.
  std::vector<Game::SceneNode*> nodesOf(const Game::Model* model) { return EffectTestSupport::nodesOf(stage.pool, model); }

  // A unit of the side with a fresh node, unturned (its local axes the
  // world's), its feet at the point.
  Game::Unit& unitAt(const Engine::Math::Vector3& feet, const char* appearance = "Kessa", int side = 0) {
    Game::Unit& unit = makeUnit(side, 1, 2, appearance);
    unit.createSceneNode();
    unit.placeFrontAt(feet);
    return unit;
  }
  static Engine::Math::Vector3 centreOf(const Game::Unit& unit) { return positionOf(unit); }

  // A node of the shot model standing at the point.
  Game::SceneNode* shotAt(const Engine::Math::Vector3& point) {
    Game::SceneNode* node = stage.pool.create(shot(), 0);
    node->position.setValue(point);
    node->updateWorld();
    return node;
  }

  std::unique_ptr<Game::ResourceSet> shapes;
};

}  // namespace EffectTestSupport
