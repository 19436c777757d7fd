#include "core/sound/BGM.h"

namespace Game {

namespace {

BGM* gInstance = nullptr;

}  // namespace

void BGM::create() {
  if (!gInstance) {
    gInstance = new BGM();
  }
}

void BGM::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

BGM* BGM::instance() { return gInstance; }

}  // namespace Game
