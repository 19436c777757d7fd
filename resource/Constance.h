#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of the game's constant tables and keyword converters: holds none yet.
class Constance {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static Constance* instance();

 private:
  Constance() = default;
};

}  // namespace Game
