#pragma once

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

namespace Game {

class Map;

// The floor maps being built a piece at a time, one step a frame, first come
// first built. Each map is queued at most once.
class MapBuildQueue {
 public:
  static void create();
  static void destroy();
  // Null outside create … destroy.
  static MapBuildQueue* instance();

  // Appends map unless it is already queued.
  void add(Map* map);
  // Removes every entry of map.
  void remove(const Map* map);
  // Once a frame: one build step of the first map, which leaves the queue
  // when the step reports it built.
  void update();

  Engine::i32 count() const { return mCount; }
  bool contains(const Map* map) const;

 private:
  Array2D<Map*> mMaps;
  Engine::i32 mCount = 0;
};

}  // namespace Game
