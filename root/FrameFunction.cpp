#include "root/FrameFunction.h"

#include <iterator>

#include "Engine/Base/DebugStream.h"
#include "Engine/Framework/Framework.h"
#include "Engine/Graphics/Manager.h"
#include "root/Application.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "running/game/SaveSlot.h"
#include "presentation/picture/SystemResources.h"

namespace Engine {

namespace {

constexpr const char* kArchiveNames[] = {"bxlpatch.dat", "bxl.dat", "bxlbgm.dat"};
// Loose files; the data archives are optional.
constexpr i32 kLoadMode = 1;

bool isOn(const Game::Config& config, i32 setting) { return config.setting(setting).value() != 0; }

// What the settings reach once the root exists (the music and the sound
// effects hook themselves in when they are made).
void connectSettings() {
  Game::Config::Targets& targets = Game::Config::targets();
  targets.setTextureFiltering = [](bool on) { Graphics::Manager::instance().setTextureFilter(on ? 1 : 0); };
  targets.playSavedSound = [] { Game::SystemResources::instance()->playSound("saved", 0); };
}

void disconnectSettings() {
  Game::Config::Targets& targets = Game::Config::targets();
  targets.setTextureFiltering = nullptr;
  targets.playSavedSound = nullptr;
}

}  // namespace

// The settings are read before the window exists, so that it opens at the
// chosen size; the key bindings come first, as the settings' defaults copy
// their joystick buttons. What writes killed by an earlier end left goes
// first.
void Framework::configure(Configuration configuration) {
  Game::Config::removeAbandonedWrites();
  Game::SaveSlot::removeAbandonedWrites();
  Game::KeyInput::setDefaultBindings();
  Game::Config& config = Game::Config::instance();
  config.load();
  configuration.enableAntiAlias(isOn(config, Game::Config::kAntialias));
  configuration.enableVSync(isOn(config, Game::Config::kVSync));
  configuration.setWidth(config.width());
  configuration.setHeight(config.height());
  configuration.setTitle("Marrowdeep ver1.02");
  enableFullScreen(isOn(config, Game::Config::kFullScreen));
  configuration.forbidFullScreen(false);
  configuration.setArchiveNumber(static_cast<i32>(std::size(kArchiveNames)));
  for (i32 i = 0; i < static_cast<i32>(std::size(kArchiveNames)); ++i) {
    configuration.setArchiveName(i, kArchiveNames[i]);
  }
  configuration.setLoadMode(kLoadMode);
  configuration.setExtraThreadNumber(1);
  setFrameRate(60);
  if (Game::StepHooks* hooks = Game::Application::stepHooks()) {
    hooks->configure(configuration);
  }
}

// The root is made on the first frame, when the window and the managers
// exist, and the settings are applied once it has made the music and sound
// effects they set.
void Framework::update() {
  if (!Game::Application::instance()) {
    Game::Application::create();
    connectSettings();
    Game::Config::instance().apply();
  }
  if (!Game::Application::instance()->update()) {
    requestEnd();
  }
  if (isEndRequested()) {
    cout << "frame rate " << frameRate() << endl;
    disconnectSettings();
    Game::Application::destroy();
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
  entry.release = [] {
    Engine::disconnectSettings();
    Application::destroy();
  };
  return entry;
}

}  // namespace Game
