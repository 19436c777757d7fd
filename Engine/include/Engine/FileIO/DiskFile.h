#pragma once

#include <string_view>
#include <vector>

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// Loose files on disk, read at once and never from the data archives: the
// player's own files (settings, saves, screenshots). A player may swap or
// share them, so they are read with a limit, never through a read that halts.

// Far above any real settings file or save (a save's payload stays below
// 512 KiB), far below what would strain memory.
constexpr u64 kDiskFileLimit = 16u << 20;

// Whether anything is there by that name; looking never opens it, so a FIFO
// cannot hold the caller (reading one then fails).
bool diskFileExists(const char* name);
// The whole file; false when it cannot be opened or read, is not a regular
// file, or is over kDiskFileLimit bytes.
bool readDiskFile(const char* name, std::vector<u8>& out);
// Removes the temporary files that writes killed before their end left in
// the directory ("" the working directory), for the file names isTarget
// accepts, each with a debug line; those of a writer still running stay.
void removeAbandonedWrites(const char* directory, bool (*isTarget)(std::string_view name));

}  // namespace Engine::FileIO
