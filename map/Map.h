#pragma once

#include "core/map/MapBuildQueue.h"

namespace Game {

class RenderState;

// A floor map as far as the rest of the game needs one. A map adds itself to
// the floor-build queue when its build starts and, as a stepped build, leaves
// it on destruction, so a map destroyed half-built is never stepped again.
//
// Stand-in until the floors are built: a map read from a tile map holds
// nothing, builds at once and draws nothing.
class Map : public SteppedBuild {
 public:
  virtual ~Map() = default;

  // One piece of the build; true once the map is built.
  bool buildStep() override { return true; }
  // Reads the tile map at path and builds the whole floor at once.
  virtual void buildFromFmf(const char* path);
  // The floor's meshes and placed objects under state, animated at time.
  virtual void drawTransformed(const RenderState& state, float time) const;
};

}  // namespace Game
