#include "Engine/Base/DebugStream.h"
#include "core/config/Config.h"
#include "core/config/ConfigDisk.h"

// Loading and saving "config.ini" on disk.

namespace Game {

void Config::load() {
  setDefaults();
  String text;
  switch (ConfigDisk::readText(kFileName, text)) {
    case ConfigDisk::ReadResult::kMissing:
      return;
    case ConfigDisk::ReadResult::kUnreadable:
      Engine::cout << kFileName << " : cannot be read; the default settings are used" << Engine::endl;
      return;
    case ConfigDisk::ReadResult::kRead:
      break;
  }
  if (!loadFromText(text.c_str())) {
    Engine::cout << kFileName << " : damaged or cut short; the default settings are used" << Engine::endl;
  }
}

void Config::save() const {
  String text;
  toText(text);
  if (!ConfigDisk::writeFile(kFileName, text.c_str(), text.length())) {
    Engine::cout << kFileName << " : could not be written; the previous file is kept" << Engine::endl;
  }
  if (targets().playSavedSound) {
    targets().playSavedSound();
  }
}

}  // namespace Game
