#pragma once

// Failed framework checks end in Engine::halt: the text "file:line : condition"
// is shown in a "Critical Error!" box and the program ends at once.
// A message is written as part of the condition, joined by && as a string
// literal, so that it appears quoted in the text:
//   ENGINE_ASSERT(i >= 0 && i < mSize && "range error.");

namespace Engine {

[[noreturn]] void halt(const char* file, int line, const char* message);

}  // namespace Engine

#define ENGINE_ASSERT(expression)                             \
  do {                                                        \
    if (!(expression)) {                                      \
      ::Engine::halt(__FILE__, __LINE__, #expression);        \
    }                                                         \
  } while (false)

#define ENGINE_HALT(message) ::Engine::halt(__FILE__, __LINE__, message)
