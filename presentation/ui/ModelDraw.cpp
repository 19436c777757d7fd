#include "presentation/ui/ModelDraw.h"

#include "core/game/GameFlow.h"
#include "presentation/model/Model.h"

namespace Game {

void drawModel(const Model* model, const RenderState& state, float time) { ModelRef::draw(model, state, time); }

Engine::i32 interfaceFrameCount() {
  const GameFlow* flow = GameFlow::instance();
  return flow ? flow->frameCount() : 0;
}

}  // namespace Game
