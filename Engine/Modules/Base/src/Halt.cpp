#include <cstdio>
#include <cstdlib>

#include "Engine/Base/Assert.h"
#include "Platform/Backend.h"

namespace Engine {

void halt(const char* file, int line, const char* message) {
  char text[8192];
  std::snprintf(text, sizeof text, "%s:%d : %s", file, line, message);
  if (Platform::hasBackend()) {
    Platform::backend().messageBox().show(text, "Critical Error!", Platform::MessageIcon::Error);
  } else {
    std::fprintf(stderr, "Critical Error!\n%s\n", text);
    std::fflush(stderr);
  }
  std::_Exit(EXIT_FAILURE);
}

}  // namespace Engine
