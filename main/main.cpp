// The program entry: installs the system backend and hands over to the
// framework's window creator with the game's two entry points.

#include "Engine/Framework/WindowCreator.h"
#include "Platform/SystemBackend.h"
#include "root/FrameFunction.h"

int main() {
  auto backend = Platform::createSystemBackend();
  Platform::setBackend(backend.get());
  backend->enterProgramDirectory();
  const int status = Engine::WindowCreator::run(Game::gameEntry());
  Platform::setBackend(nullptr);
  return status;
}
