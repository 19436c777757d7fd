#pragma once

#include <memory>

#include "Platform/Backend.h"

namespace Platform {

// The real backend over SDL2 and the system's libraries.
class SystemBackend : public Backend {
 public:
  // Makes the program's own directory the working directory, where the game's
  // data, settings and saves live.
  virtual void enterProgramDirectory() = 0;
};

std::unique_ptr<SystemBackend> createSystemBackend();

}  // namespace Platform
