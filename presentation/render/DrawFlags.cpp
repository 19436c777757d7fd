#include "presentation/render/DrawFlags.h"

#include "core/file/nml/NmlNode.h"

namespace Game {

void DrawFlags::load(const NmlNode& node) {
  struct Key {
    const char* name;
    Engine::u32 bit;
  };
  static constexpr Key kKeys[] = {
      {"spot", kSpot}, {"over", kOver}, {"ground", kGround}, {"back", kBack}, {"camera", kCamera},
  };
  clear();
  for (const Key& key : kKeys) {
    if (node.countAttributes(key.name) > 0) {
      set(key.bit);
    }
  }
}

Engine::i32 DrawFlags::deviceLight(Engine::u32 bit) {
  switch (bit) {
    case kSpot:
      return 3;
    case kOver:
      return 0;
    case kGround:
      return 1;
    case kBack:
      return 2;
    default:
      return -1;
  }
}

}  // namespace Game
