#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Stand-in of the background music until the streaming player is built:
// remembers the tune asked for and plays nothing.
class BGM {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static BGM* instance();

  void play(const char* name) { mCurrent.assign(name); }
  void stop() { mCurrent.assign(""); }
  const String& current() const { return mCurrent; }

 private:
  BGM() = default;

  String mCurrent;
};

}  // namespace Game
