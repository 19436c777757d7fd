#include "core/config/ConfigDisk.h"

#include "core/file/FileSystem.h"

namespace Game::ConfigDisk {

ReadResult readText(const char* path, String& out) {
  if (!FileSystem::exists(path)) {
    return ReadResult::kMissing;
  }
  return FileSystem::readText(path, out) ? ReadResult::kRead : ReadResult::kUnreadable;
}

bool writeFile(const char* path, const char* data, Engine::i32 size) {
  return size >= 0 && FileSystem::writeFile(path, data, size, false);
}

}  // namespace Game::ConfigDisk
