#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Strict decimal text, as saves hold it: an optional '-' then 1 to 10 digits
// and nothing else, within the i32 range. False (out untouched) otherwise.
bool parseDecimal(const char* text, Engine::i32& out);

}  // namespace Game
