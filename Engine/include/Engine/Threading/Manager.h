#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Threading {

// The worker pool that runs Thread jobs: one global pool, created first and
// destroyed last of the framework's managers.
class Manager {
 public:
  static Manager instance() { return Manager(); }

  // extraThreadNumber: workers beyond one per processor and one spare.
  static void create(i32 extraThreadNumber);
  // Waits for running jobs; jobs still queued are dropped (their waits return).
  static void destroy();

  // The processors the pool was sized for.
  i32 getCoreNumber() const;
};

}  // namespace Engine::Threading
