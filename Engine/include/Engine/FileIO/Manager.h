#pragma once

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// The file access manager: one global loader serving InFile and OutFile
// requests from the data archives and the loose files.
//   load mode 0: the archives in the order given, then loose files
//   load mode 1: loose files, then the archives
//   load mode 2: the archives only
class Manager {
 public:
  static void create(const char* const* archiveNames, i32 archiveCount, i32 loadMode);
  static void destroy();
  static Manager instance() { return Manager(); }

  // Writes in the background; nobody learns the outcome. A write still
  // queued when the manager is destroyed is dropped.
  void write(const char* name, const void* data, i32 size);

  // Whether a source (archive or the loose files, by the load mode) holds the
  // name, without reading it: lets callers name a missing file in their own
  // terms before a read would stop the program.
  bool holds(const char* name);
  // Whether a file in use still waits for its read: a game stepped by a
  // script waits for none before each step, so that its loads land on the
  // same frames each run, however fast the frames go.
  bool isReading();
};

}  // namespace Engine::FileIO
