#include "presentation/ui/ModelDraw.h"

#include "presentation/model/Model.h"

namespace Game {

namespace {

Engine::i32 gInterfaceFrame = 0;

}  // namespace

void drawModel(const Model* model, const RenderState& state, float time) { ModelRef::draw(model, state, time); }

Engine::i32 interfaceFrameCount() { return gInterfaceFrame; }

void setInterfaceFrameCount(Engine::i32 frame) { gInterfaceFrame = frame; }

}  // namespace Game
