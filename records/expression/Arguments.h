#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game::ExpressionStuff {

// The argument texts of one function call, in order. A function that needs a
// number reads it with the game's number parser; a missing argument reads as
// "" (the number 0).
class Arguments {
 public:
  // Splits text at ':' and line breaks; empty cells between separators stay.
  void parse(const char* text);

  Engine::i32 count() const { return static_cast<Engine::i32>(mTexts.size()); }
  const char* text(Engine::i32 i) const;
  Engine::i32 toInt(Engine::i32 i) const { return String::parseInt(text(i)); }

 private:
  std::vector<String> mTexts;
};

}  // namespace Game::ExpressionStuff
