#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Model;

// Stand-in of the interface pictures (gauges, arrows, icons, compass): holds none yet.
class GuiPictures {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static GuiPictures* instance();
  // A model of the icon set by name; null when the set lacks it (the
  // stand-in has none), which draws nothing.
  Model* findIcon(const char* name) const;
  // The same through the instance; null without one.
  static Model* icon(const char* name);

 private:
  GuiPictures() = default;
};

}  // namespace Game
