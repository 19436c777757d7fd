#pragma once

namespace Game {

class Model;

// Stand-in of the scene-node pools: only the global table of registered
// pools, which the application root sets up and takes down.
class SceneNodePool {
 public:
  static void initRegistry();
  static void destroyRegistry();
  static bool isRegistryReady();

  // Releases, in every registered pool, the nodes that play model; called
  // when a model is destroyed. No pool holds nodes yet.
  static void releaseModelUsers(const Model* model);
};

}  // namespace Game
