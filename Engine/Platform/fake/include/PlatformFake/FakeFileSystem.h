#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Platform/FileSystem.h"

namespace PlatformFake {

// An in-memory file system. Paths are kept as given, with '\' turned into
// '/' outside two-byte characters and "." and ".." steps taken; a path that
// climbs above the root names a file outside the game's folder. Safe to use from the loader thread while a
// test looks on.
class FakeFileSystem : public Platform::FileSystem {
 public:
  std::unique_ptr<Platform::InputFile> openRead(std::string_view path) override;
  std::unique_ptr<Platform::OutputFile> openWrite(std::string_view path) override;
  bool exists(std::string_view path) override;
  bool makeDirectories(std::string_view path) override;
  // The files directly in the directory and the directories below it.
  std::vector<std::string> listDirectory(std::string_view path) override;
  bool removeFile(std::string_view path) override;
  // Only those the test names run.
  bool isProcessRunning(std::uint64_t processId) override { return runningProcesses.count(processId) > 0; }
  std::set<std::uint64_t> runningProcesses;

  void put(std::string_view path, std::vector<std::uint8_t> bytes);
  void put(std::string_view path, std::string_view text);
  void remove(std::string_view path);
  std::optional<std::vector<std::uint8_t>> contents(std::string_view path);
  std::vector<std::string> openedForReading();
  std::vector<std::size_t> writePieces();
  // Empties the two records above (a long fuzzing run would grow them without end).
  void forgetAccesses();
  bool hasDirectory(std::string_view path);

  // Failure injection.
  void failOpenWrite(bool fail);
  void failWritesAfter(std::size_t bytes);  // a write crossing this many bytes fails
  void failCommit(bool fail);
  // The next read of path finds it gone, as when the player deletes it
  // between a look and the read.
  void vanishOnRead(std::string_view path);
  // Something is there by that name that never opens for reading, as a
  // FIFO, a device or a file without read permission is to the real one.
  void putUnopenable(std::string_view path);
  // The file opens with its size, but every read of it fails.
  void failReads(std::string_view path);
  // Called after each accepted write piece, from the writing thread.
  void onWrite(std::function<void()> hook);

  static std::string normalize(std::string_view path);

 private:
  friend class FakeOutputFile;
  bool commitFile(const std::string& path, std::vector<std::uint8_t> bytes);
  bool acceptWrite(std::size_t writtenBefore, std::size_t count);
  void afterWrite();

  std::mutex mMutex;
  std::map<std::string, std::vector<std::uint8_t>> mFiles;
  std::set<std::string> mDirectories;
  std::set<std::string> mVanishing;
  std::set<std::string> mUnopenable;
  std::set<std::string> mFailingReads;
  std::vector<std::string> mOpenedForReading;
  std::vector<std::size_t> mWritePieces;
  bool mFailOpenWrite = false;
  bool mFailCommit = false;
  std::size_t mFailWritesAfter = SIZE_MAX;
  std::function<void()> mOnWrite;
};

}  // namespace PlatformFake
