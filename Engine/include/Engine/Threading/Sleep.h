#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Threading {

// Suspends the calling thread for ms milliseconds (on the platform's clock).
void sleep(u32 ms);

}  // namespace Engine::Threading
