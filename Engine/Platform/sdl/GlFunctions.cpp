#include "GlFunctions.h"

#include <SDL.h>

#include <cstdio>

namespace Platform::Sdl {

GlFunctions gl;

bool GlFunctions::load() {
  bool complete = true;
#define MARROWDEEP_GL_LOAD(type, name)                                      \
  name = reinterpret_cast<type>(SDL_GL_GetProcAddress(#name));              \
  if (!name) {                                                              \
    std::fprintf(stderr, "OpenGL function %s is missing\n", #name);         \
    complete = false;                                                       \
  }
  MARROWDEEP_GL_FUNCTIONS(MARROWDEEP_GL_LOAD)
#undef MARROWDEEP_GL_LOAD
  return complete;
}

}  // namespace Platform::Sdl
