#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class Model;

// Stand-in of the title's scene nodes until the node pool is in: each star
// keeps a place and a playback time that advances one a frame, and draws its
// model there in the interface space, and a point of light under it until
// interface models draw.
class TitleStars {
 public:
  struct Star {
    Engine::Math::Vector3 position;
    float time = 0.f;
  };

  void add(const Engine::Math::Vector3& position, float time) { mStars.push_back({position, time}); }
  void setModel(const Model* model) { mModel = model; }
  // Advances every star, then draws it.
  void updateAndDraw();

  const std::vector<Star>& stars() const { return mStars; }

 private:
  std::vector<Star> mStars;
  const Model* mModel = nullptr;
};

}  // namespace Game
