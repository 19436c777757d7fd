#pragma once

#include <string_view>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game::FileSystem {

// Plain disk files ("config.ini", screenshots, saves), never from the data
// archives.

// The folder the player's files (settings, saves) go to; "" (the start)
// is the working directory. A scripted run keeps them in a folder of its own.
void setHome(const char* folder);
// The name inside the home folder.
String homePath(const char* name);

// Whether anything is there by that name (reading it may still fail).
bool exists(const char* path);
// The whole file; false when it cannot be read, is not a regular file or is
// far larger than any file the game writes. Never halts.
bool readBytes(const char* path, std::vector<Engine::u8>& out);
// The whole file as zero-terminated text; false (out empty) when readBytes
// fails.
bool readText(const char* path, String& out);
// Writes length bytes of data (a negative length: the text length of data)
// and waits until the write has finished; with pack the data is packed as a
// save file first. False when nothing was written: the write failed, or the
// packed file could not be unpacked again (the old file is then kept).
bool writeFile(const char* path, const void* data, Engine::i32 length, bool pack);
// Removes what writes cut off by a kill left beside the files isTarget
// accepts in the folder of the home folder ("" the home itself).
void removeAbandonedWrites(const char* folder, bool (*isTarget)(std::string_view name));

}  // namespace Game::FileSystem
