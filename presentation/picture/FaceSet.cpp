#include "presentation/picture/FaceSet.h"

namespace Game {

namespace {

FaceSet* gInstance = nullptr;

}  // namespace

void FaceSet::create() {
  if (!gInstance) {
    gInstance = new FaceSet();
  }
}

void FaceSet::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

FaceSet* FaceSet::instance() { return gInstance; }

}  // namespace Game
