#pragma once

namespace Game {

// What the floor-build queue needs of a floor map. A map adds itself to the
// queue when its build starts; leaving the queue on destruction is done here,
// so a map destroyed half-built is never stepped again.
class Map {
 public:
  Map() = default;
  Map(const Map&) = delete;
  Map& operator=(const Map&) = delete;
  virtual ~Map();

  // One piece of the build; true once the map is built.
  virtual bool buildStep() = 0;
};

}  // namespace Game
