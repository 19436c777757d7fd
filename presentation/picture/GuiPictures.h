#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of the interface pictures (gauges, arrows, icons, compass): holds none yet.
class GuiPictures {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static GuiPictures* instance();

 private:
  GuiPictures() = default;
};

}  // namespace Game
