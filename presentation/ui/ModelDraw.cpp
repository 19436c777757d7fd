#include "presentation/ui/ModelDraw.h"

#include "core/game/GameFlow.h"

namespace Game {

void drawModel(const Model*, const RenderState&, float) {}

Engine::i32 interfaceFrameCount() {
  const GameFlow* flow = GameFlow::instance();
  return flow ? flow->frameCount() : 0;
}

}  // namespace Game
