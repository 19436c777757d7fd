#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Model;
class RenderState;

// Every interface draw of an animated model goes through here: a null model
// draws nothing. The state is a front-end one: its matrix units are the
// interface space's units / 400.
void drawModel(const Model* model, const RenderState& state, float time);

// The time interface animations are drawn at: the game flow's frame count,
// which the flow sets each frame (0 before it runs and after it goes).
Engine::i32 interfaceFrameCount();
void setInterfaceFrameCount(Engine::i32 frame);

}  // namespace Game
