#include "presentation/scene/DrawHook.h"

namespace Game {

namespace {

DrawHook* gInstalled = nullptr;

}  // namespace

DrawHook* DrawHook::current() { return gInstalled; }

void DrawHook::install(DrawHook* hook) { gInstalled = hook; }

}  // namespace Game
