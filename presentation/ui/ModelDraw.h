#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Model;
class RenderState;

// Every interface draw of an animated model goes through here: a null model
// draws nothing. The state is a front-end one: its matrix units are the
// interface space's units / 400.
void drawModel(const Model* model, const RenderState& state, float time);

// The game flow's frame count, 0 without a game flow: the time interface
// animations are drawn at.
Engine::i32 interfaceFrameCount();

}  // namespace Game
