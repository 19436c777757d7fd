#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// Paths given to the file system are the program's Shift-JIS text, with '\'
// or '/' between directories; the file system converts them to the system's
// form (Shift-JIS is converted first, since 0x5C can be a trail byte).

// A file open for reading.
class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::uint64_t size() = 0;
  virtual bool seek(std::uint64_t position) = 0;
  // Reads exactly count bytes at the current position; false on a short read.
  virtual bool read(void* buffer, std::size_t count) = 0;
};

// A replacement of a file under way: the bytes go to a temporary file in the
// target's directory, and only commit puts them in the target's place. A file
// destroyed before commit leaves the previous file as it was.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Appends count bytes; false when they could not all be written.
  virtual bool write(const void* data, std::size_t count) = 0;
  // Flushes to disk and renames over the target; false on any failure.
  virtual bool commit() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Null when the file cannot be opened or is not a regular file (a FIFO or
  // a device would block or never end); opening never waits.
  virtual std::unique_ptr<InputFile> openRead(std::string_view path) = 0;
  // Creates missing directories on the way; null when the file cannot be made.
  virtual std::unique_ptr<OutputFile> openWrite(std::string_view path) = 0;
  virtual bool exists(std::string_view path) = 0;
  // Creates the directory and every missing one above it.
  virtual bool makeDirectories(std::string_view path) = 0;
  // The names in the directory ("" is the working directory), without "."
  // and ".."; none when it cannot be read.
  virtual std::vector<std::string> listDirectory(std::string_view path) = 0;
  // False when nothing was removed.
  virtual bool removeFile(std::string_view path) = 0;
  // Whether a process of that id runs: a writer names its temporary files
  // after its own.
  virtual bool isProcessRunning(std::uint64_t processId) = 0;

  // Where a replacement of target is written before it takes the target's
  // place: target + ".tmp" + the writer's process id + "_" + a serial.
  static std::string temporaryName(std::string_view target, std::uint64_t processId, std::uint64_t serial);
  // Removes from the directory what writes killed before their end left: the
  // temporary files of a target isTarget accepts whose writer no longer runs
  // (another program may be writing its own). Returns the names removed.
  std::vector<std::string> removeAbandonedTemporaries(std::string_view directory,
                                                      const std::function<bool(std::string_view)>& isTarget);

  // Reads a whole file; false when it cannot be opened or read, or holds
  // more than limit bytes (then nothing is allocated for it).
  bool readWhole(std::string_view path, std::vector<std::uint8_t>& out, std::uint64_t limit);
  // Replaces a whole file as OutputFile does.
  bool writeWhole(std::string_view path, const void* data, std::size_t size);
};

}  // namespace Platform
