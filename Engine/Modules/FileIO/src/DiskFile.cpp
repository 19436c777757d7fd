#include "Engine/FileIO/DiskFile.h"

#include "Engine/Base/DebugStream.h"
#include "Platform/Backend.h"

namespace Engine::FileIO {

bool diskFileExists(const char* name) { return Platform::backend().fileSystem().exists(name); }

bool readDiskFile(const char* name, std::vector<u8>& out) {
  return Platform::backend().fileSystem().readWhole(name, out, kDiskFileLimit);
}

void removeAbandonedWrites(const char* directory, bool (*isTarget)(std::string_view name)) {
  for (const std::string& name : Platform::backend().fileSystem().removeAbandonedTemporaries(directory, isTarget)) {
    cout << "FileIO : removed what a cut-off write left ( " << directory << name << " )" << endl;
  }
}

}  // namespace Engine::FileIO
