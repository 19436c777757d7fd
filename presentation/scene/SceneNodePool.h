#pragma once

namespace Game {

// Stand-in of the scene-node pools: only the global table of registered
// pools, which the application root sets up and takes down.
class SceneNodePool {
 public:
  static void initRegistry();
  static void destroyRegistry();
  static bool isRegistryReady();
};

}  // namespace Game
