// The program entry: installs the system backend and hands over to the
// framework's window creator with the game's two entry points. A test build
// also takes a play script (root/play) that drives the game instead of the
// devices.

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "Engine/Framework/WindowCreator.h"
#include "Platform/SystemBackend.h"
#include "root/FrameFunction.h"
#ifdef MARROWDEEP_PLAYTEST
#include "root/play/PlaySession.h"
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
  auto backend = Platform::createSystemBackend();
  Platform::setBackend(backend.get());
  backend->enterProgramDirectory();
#ifdef MARROWDEEP_PLAYTEST
  Game::Play::PlayOptions options;
  std::string error;
  std::unique_ptr<Game::Play::PlaySession> session;
  if (!Game::Play::readOptions(argc, argv, [](const char* name) -> const char* { return std::getenv(name); }, options, error) ||
      (!options.script.empty() && !(session = Game::Play::PlaySession::open(options, error)))) {
    std::cerr << "marrowdeep: " << error << std::endl;
    Platform::setBackend(nullptr);
    return 2;
  }
#endif
  int status = Engine::WindowCreator::run(Game::gameEntry());
#ifdef MARROWDEEP_PLAYTEST
  if (session && status == 0) {
    status = session->finish();
  }
  session.reset();
#endif
  Platform::setBackend(nullptr);
  return status;
}
