#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "effect/Module.h"

namespace Game::Effect {

// The modules of one effect, in order of addition, owned until the effect
// goes.
class ModuleList {
 public:
  // Appends the module; the list's result starts again at 0.
  Module::Module* add(std::unique_ptr<Module::Module> module);

  // One tick: every active module counts its delay down (holding the
  // effect) or runs; a module answering kDone goes inactive. The lowest
  // answer, kDone for none.
  Engine::i32 tick();

  Engine::i32 result() const { return mResult; }
  Engine::i32 count() const { return static_cast<Engine::i32>(mList.size()); }
  Module::Module& at(Engine::i32 i) const { return *mList[static_cast<std::size_t>(i)]; }

 private:
  std::vector<std::unique_ptr<Module::Module>> mList;
  Engine::i32 mResult = 0;
};

}  // namespace Game::Effect
