#include "effect/ModuleList.h"

#include <algorithm>

namespace Game::Effect {

using Engine::i32;

Module::Module* ModuleList::add(std::unique_ptr<Module::Module> module) {
  mList.push_back(std::move(module));
  mResult = 0;
  return mList.back().get();
}

i32 ModuleList::tick() {
  i32 result = Module::Module::kDone;
  for (const std::unique_ptr<Module::Module>& module : mList) {
    if (!module->mActive) {
      continue;
    }
    // A negative delay is spent like a positive one would be: it never holds
    // the effect for ever.
    if (module->mDelay > 0) {
      --module->mDelay;
      result = Module::Module::kHolding;
      continue;
    }
    const i32 answer = module->update();
    result = std::min(result, answer);
    if (answer == Module::Module::kDone) {
      module->mActive = false;
    }
  }
  mResult = result;
  return result;
}

}  // namespace Game::Effect
