#pragma once

#include "Engine/Framework/WindowCreator.h"

namespace Game {

// The game's configure and frame functions, as the window creator calls them.
Engine::GameEntry gameEntry();

}  // namespace Game
