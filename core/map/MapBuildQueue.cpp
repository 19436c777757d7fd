#include "core/map/MapBuildQueue.h"

namespace Game {

using Engine::i32;

namespace {

MapBuildQueue* gBuildQueue = nullptr;

}  // namespace

SteppedBuild::~SteppedBuild() {
  if (MapBuildQueue* queue = MapBuildQueue::instance()) {
    queue->remove(this);
  }
}

void MapBuildQueue::create() {
  if (!gBuildQueue) {
    gBuildQueue = new MapBuildQueue();
  }
}

void MapBuildQueue::destroy() {
  delete gBuildQueue;
  gBuildQueue = nullptr;
}

MapBuildQueue* MapBuildQueue::instance() { return gBuildQueue; }

bool MapBuildQueue::contains(const SteppedBuild* build) const {
  for (i32 i = 0; i < mCount; ++i) {
    if (mMaps.at(static_cast<Engine::u32>(i)) == build) {
      return true;
    }
  }
  return false;
}

void MapBuildQueue::add(SteppedBuild* build) {
  if (contains(build)) {
    return;
  }
  if (mCount == static_cast<i32>(mMaps.size())) {
    Array2D<SteppedBuild*> larger(mCount < 4 ? 8 : mCount * 2);
    for (i32 i = 0; i < mCount; ++i) {
      larger.at(static_cast<Engine::u32>(i)) = mMaps.at(static_cast<Engine::u32>(i));
    }
    mMaps.assign(larger);
  }
  mMaps.at(static_cast<Engine::u32>(mCount++)) = build;
}

void MapBuildQueue::remove(const SteppedBuild* build) {
  i32 kept = 0;
  for (i32 i = 0; i < mCount; ++i) {
    SteppedBuild* entry = mMaps.at(static_cast<Engine::u32>(i));
    if (entry != build) {
      mMaps.at(static_cast<Engine::u32>(kept++)) = entry;
    }
  }
  mCount = kept;
}

void MapBuildQueue::update() {
  if (mCount == 0) {
    return;
  }
  SteppedBuild* first = mMaps.at(0);
  if (first->buildStep()) {
    remove(first);
  }
}

}  // namespace Game
