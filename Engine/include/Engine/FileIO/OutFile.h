#pragma once

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// A file being written by the file manager's loader; poll isFinished. The
// bytes are copied at create. The previous file stays whole until the new
// one is completely on disk; releasing the handle early abandons the write.
class OutFile {
 public:
  class Impl;

  static OutFile create(const char* name, const void* data, i32 size);

  OutFile() = default;
  OutFile(const OutFile& other);
  OutFile& operator=(const OutFile& other);
  ~OutFile();

  bool isFinished() const;
  // Set with isFinished when the file could not be written.
  bool isError() const;

  operator void*() const { return mImpl; }  // NOLINT: the handles' non-null test
  bool operator==(const OutFile& other) const { return mImpl == other.mImpl; }
  bool operator!=(const OutFile& other) const { return mImpl != other.mImpl; }

 private:
  explicit OutFile(Impl* impl) : mImpl(impl) {}
  void release();

  Impl* mImpl = nullptr;
};

}  // namespace Engine::FileIO
