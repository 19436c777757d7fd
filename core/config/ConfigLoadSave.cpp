#include "Engine/Base/DebugStream.h"
#include "core/config/Config.h"
#include "core/config/ConfigDisk.h"
#include "core/file/FileSystem.h"

// Loading and saving "config.ini" on disk.

namespace Game {

void Config::load() {
  setDefaults();
  const String path = FileSystem::homePath(kFileName);
  String text;
  switch (ConfigDisk::readText(path.c_str(), text)) {
    case ConfigDisk::ReadResult::kMissing:
      return;
    case ConfigDisk::ReadResult::kUnreadable:
      Engine::cout << path.c_str() << " : cannot be read; the default settings are used" << Engine::endl;
      return;
    case ConfigDisk::ReadResult::kRead:
      break;
  }
  if (!loadFromText(text.c_str())) {
    Engine::cout << path.c_str() << " : damaged or cut short; the default settings are used" << Engine::endl;
  }
}

bool Config::save() const {
  const String path = FileSystem::homePath(kFileName);
  String text;
  toText(text);
  if (!ConfigDisk::writeFile(path.c_str(), text.c_str(), text.length())) {
    Engine::cout << path.c_str() << " : could not be written; the previous file is kept" << Engine::endl;
    return false;
  }
  if (targets().playSavedSound) {
    targets().playSavedSound();
  }
  return true;
}

void Config::removeAbandonedWrites() {
  FileSystem::removeAbandonedWrites("", [](std::string_view name) { return name == kFileName; });
}

}  // namespace Game
