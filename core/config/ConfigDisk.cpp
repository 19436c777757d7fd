#include "core/config/ConfigDisk.h"

#include <cstdint>
#include <vector>

#include "Platform/Backend.h"

namespace Game::ConfigDisk {

ReadResult readText(const char* path, String& out) {
  Platform::FileSystem& files = Platform::backend().fileSystem();
  if (!files.exists(path)) {
    return ReadResult::kMissing;
  }
  std::vector<std::uint8_t> bytes;
  if (!files.readWhole(path, bytes)) {
    return ReadResult::kUnreadable;
  }
  bytes.push_back(0);
  out.assign(reinterpret_cast<const char*>(bytes.data()));
  return ReadResult::kRead;
}

bool writeFile(const char* path, const char* data, Engine::i32 size) {
  if (size < 0) {
    return false;
  }
  return Platform::backend().fileSystem().writeWhole(path, data, static_cast<std::size_t>(size));
}

}  // namespace Game::ConfigDisk
