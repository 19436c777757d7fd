#pragma once

#include <optional>

#include "Engine/Base/Types.h"
#include "Platform/Keyboard.h"

namespace Engine::Input {

// The key a framework key code reads, or none.
std::optional<Platform::Key> keyForCode(i32 code);

}  // namespace Engine::Input
