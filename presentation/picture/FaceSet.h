#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of the character faces of conversations: holds none yet.
class FaceSet {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static FaceSet* instance();

 private:
  FaceSet() = default;
};

}  // namespace Game
