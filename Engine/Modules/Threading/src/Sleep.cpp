#include "Engine/Threading/Sleep.h"

#include <thread>

#include "Platform/Backend.h"

namespace Engine::Threading {

void sleep(u32 ms) {
  if (Platform::hasBackend()) {
    Platform::backend().clock().sleep(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

}  // namespace Engine::Threading
