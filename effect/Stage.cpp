#include "effect/Stage.h"

#include "Engine/Base/DebugStream.h"

namespace Game::Effect {

void Stage::soundPlayed(const char*, Engine::i32, Engine::i32) {}

void Stage::lookupFailed(const char* what, const char* name) {
  Engine::cout << "Effect: no " << what << " \"" << (name ? name : "") << "\"" << Engine::endl;
}

}  // namespace Game::Effect
