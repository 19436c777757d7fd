#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

// The settings file's own door to the disk. "config.ini" is read while the
// framework is configured, before its file manager runs, so it cannot go
// through the data-file loader; both ends use the platform's file system.
namespace Game::ConfigDisk {

enum class ReadResult { kMissing, kUnreadable, kRead };

// The whole file as zero-terminated text.
ReadResult readText(const char* path, String& out);
// Replaces the file only once the new bytes are complete on disk; on any
// failure the old file stays as it was.
bool writeFile(const char* path, const char* data, Engine::i32 size);

}  // namespace Game::ConfigDisk
