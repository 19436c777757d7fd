#pragma once

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

namespace Game {

// A build that the queue advances a step a frame (a floor's meshes); it
// leaves the queue when destroyed.
class SteppedBuild {
 public:
  SteppedBuild() = default;
  SteppedBuild(const SteppedBuild&) = delete;
  SteppedBuild& operator=(const SteppedBuild&) = delete;
  // One step; true when the build is complete.
  virtual bool buildStep() = 0;

 protected:
  ~SteppedBuild();
};

// The floor maps being built a piece at a time, one step a frame, first come
// first built. Each map is queued at most once.
class MapBuildQueue {
 public:
  static void create();
  static void destroy();
  // Null outside create … destroy.
  static MapBuildQueue* instance();

  // Appends build unless it is already queued.
  void add(SteppedBuild* build);
  // Removes every entry of build.
  void remove(const SteppedBuild* build);
  // Once a frame: one step of the first build, which leaves the queue
  // when the step reports it built.
  void update();

  Engine::i32 count() const { return mCount; }
  bool contains(const SteppedBuild* build) const;

 private:
  Array2D<SteppedBuild*> mMaps;
  Engine::i32 mCount = 0;
};

}  // namespace Game
