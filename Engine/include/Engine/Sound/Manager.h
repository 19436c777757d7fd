#pragma once

namespace Engine::Sound {

// The process's one sound device and the mixer that feeds it. With no device
// the game runs silent: players behave as if heard.
class Manager {
 public:
  static void create();
  // Every wave and player should be released first; players that outlive the
  // manager keep working but are no longer heard.
  static void destroy();
};

}  // namespace Engine::Sound
