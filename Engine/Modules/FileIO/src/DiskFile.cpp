#include "Engine/FileIO/DiskFile.h"

#include "Platform/Backend.h"

namespace Engine::FileIO {

bool diskFileExists(const char* name) { return Platform::backend().fileSystem().exists(name); }

bool readDiskFile(const char* name, std::vector<u8>& out) {
  return Platform::backend().fileSystem().readWhole(name, out, kDiskFileLimit);
}

}  // namespace Engine::FileIO
