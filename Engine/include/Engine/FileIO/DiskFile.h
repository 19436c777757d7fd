#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// Loose files on disk, read at once and never from the data archives: the
// player's own files (settings, saves, screenshots).

// Whether the file opens for reading.
bool diskFileExists(const char* name);
// The whole file; false when it cannot be opened or read.
bool readDiskFile(const char* name, std::vector<u8>& out);

}  // namespace Engine::FileIO
