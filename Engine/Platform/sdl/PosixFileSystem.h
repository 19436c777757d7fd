#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Platform/FileSystem.h"

namespace Platform::Posix {

// The program's Shift-JIS path as a UTF-8 path with '/' between directories.
std::string systemPath(std::string_view sjisPath);

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> openRead(std::string_view path) override;
  std::unique_ptr<OutputFile> openWrite(std::string_view path) override;
  bool exists(std::string_view path) override;
  bool makeDirectories(std::string_view path) override;
  std::vector<std::string> listDirectory(std::string_view path) override;
  bool removeFile(std::string_view path) override;
  bool isProcessRunning(std::uint64_t processId) override;
};

}  // namespace Platform::Posix
