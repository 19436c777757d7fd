#include "core/FrameFunction.h"

#include "Engine/Base/DebugStream.h"
#include "Engine/Framework/Framework.h"

namespace Engine {

void Framework::configure(Configuration configuration) {
  configuration.setWidth(640);
  configuration.setHeight(480);
  configuration.setTitle("Marrowdeep ver1.02");
  Framework::instance().setFrameRate(60);
}

void Framework::update() {
  if (isEndRequested()) {
    cout << "frame rate " << frameRate() << endl;
  }
}

}  // namespace Engine

namespace Game {

Engine::GameEntry gameEntry() {
  Engine::GameEntry entry;
  entry.configure = [](Engine::Framework::Configuration configuration) {
    Engine::Framework::instance().configure(configuration);
  };
  entry.update = [] { Engine::Framework::instance().update(); };
  return entry;
}

}  // namespace Game
