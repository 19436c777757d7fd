#include "resource/Constance.h"

namespace Game {

namespace {

Constance* gInstance = nullptr;

}  // namespace

void Constance::create() {
  if (!gInstance) {
    gInstance = new Constance();
  }
}

void Constance::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

Constance* Constance::instance() { return gInstance; }

}  // namespace Game
