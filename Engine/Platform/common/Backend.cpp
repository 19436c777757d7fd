#include "Platform/Backend.h"

#include <cstdio>
#include <cstdlib>

namespace Platform {

namespace {
Backend* gBackend = nullptr;
}

Backend& backend() {
  if (!gBackend) {
    std::fputs("Platform: no backend installed\n", stderr);
    std::abort();
  }
  return *gBackend;
}

bool hasBackend() { return gBackend != nullptr; }

void setBackend(Backend* installed) { gBackend = installed; }

}  // namespace Platform
