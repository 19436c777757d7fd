#pragma once

namespace Game::NumberLiterals {

// Whether every literal of a number text (see StringNumber.cpp) fits 32
// bits, where String::parseNumber would keep only its low 32 bits.
bool fit(const char* text);

}  // namespace Game::NumberLiterals
