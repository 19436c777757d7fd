#pragma once

// What effect tests ask of a node pool, a node or a point: the nodes in use
// that pass a test, the nodes a call made, distances and near-equal points.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "live/Unit.h"
#include "presentation/model/Model.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace EffectTestSupport {

using Vector3 = Engine::Math::Vector3;

inline Vector3 difference(const Vector3& a, const Vector3& b) {
  Vector3 d;
  d.setSub(a, b);
  return d;
}
inline float distance(const Vector3& a, const Vector3& b) { return difference(a, b).length(); }
inline float flatDistance(const Vector3& a, const Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

inline void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-3f,
                       const std::string& what = "") {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
  EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}
inline void expectNear(const Vector3& actual, const Vector3& expected, const char* what) {
  expectNear(actual, expected, 1e-3f, what);
}

inline Vector3 velocity(const Game::SceneNode& node) {
  return {node.position.x.velocity(), node.position.y.velocity(), node.position.z.velocity()};
}
// "" for a node without a model.
inline std::string modelName(const Game::SceneNode& node) { return node.getModel() ? node.getModel()->name() : ""; }

inline Vector3 positionOf(const Game::Unit& unit) {
  Vector3 p;
  unit.getPosition(p);
  return p;
}
inline Vector3 feetOf(const Game::Unit& unit) {
  Vector3 feet;
  unit.getFrontPoint(feet);
  return feet;
}

// The nodes in use that pass the test, in slot order.
inline std::vector<Game::SceneNode*> nodesWhere(Game::SceneNodePool& pool,
                                                const std::function<bool(const Game::SceneNode&)>& test) {
  std::vector<Game::SceneNode*> found;
  for (int i = 0; i < pool.capacity(); ++i) {
    if (pool.node(i).isActive() && test(pool.node(i))) {
      found.push_back(&pool.node(i));
    }
  }
  return found;
}
inline int countWhere(Game::SceneNodePool& pool, const std::function<bool(const Game::SceneNode&)>& test) {
  return static_cast<int>(nodesWhere(pool, test).size());
}
// The nodes in use of the model, in slot order.
inline std::vector<Game::SceneNode*> nodesOf(Game::SceneNodePool& pool, const Game::Model* model) {
  return nodesWhere(pool, [model](const Game::SceneNode& node) { return node.getModel() == model; });
}
// The nodes in use of the model of that name ("" for none), in slot order.
inline std::vector<Game::SceneNode*> nodesNamed(Game::SceneNodePool& pool, const char* name) {
  return nodesWhere(pool, [name](const Game::SceneNode& node) { return modelName(node) == name; });
}
// The first of them; null when there is none.
inline Game::SceneNode* firstNodeNamed(Game::SceneNodePool& pool, const char* name) {
  const std::vector<Game::SceneNode*> found = nodesNamed(pool, name);
  return found.empty() ? nullptr : found.front();
}

// The nodes that the call makes active, in slot order.
inline std::vector<Game::SceneNode*> nodesMadeBy(Game::SceneNodePool& pool, const std::function<void()>& call) {
  std::vector<bool> before(static_cast<std::size_t>(pool.capacity()));
  for (int i = 0; i < pool.capacity(); ++i) {
    before[static_cast<std::size_t>(i)] = pool.node(i).isActive();
  }
  call();
  std::vector<Game::SceneNode*> made;
  for (int i = 0; i < pool.capacity(); ++i) {
    if (!before[static_cast<std::size_t>(i)] && pool.node(i).isActive()) {
      made.push_back(&pool.node(i));
    }
  }
  return made;
}

}  // namespace EffectTestSupport
