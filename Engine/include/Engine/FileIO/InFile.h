#pragma once

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// A file being read by the file manager's loader; poll isFinished. Every
// handle of one name shares one load. The data ends with one extra zero byte.
class InFile {
 public:
  class Impl;

  static InFile create(const char* name);
  // For a file the caller can do without (one a player's file names, a tune
  // the player may have removed): a file that is missing, not a regular file
  // or cannot be read finishes with the error flag, reported on the debug
  // stream, and never halts the program. One load of a name that any handle
  // asked for this way halts for none of them.
  static InFile createWithoutHalt(const char* name);

  InFile() = default;
  InFile(const InFile& other);
  InFile& operator=(const InFile& other);
  ~InFile();

  bool isFinished() const;
  bool isError() const;
  // Null until the load has finished without error.
  const char* data() const;
  u32 size() const;
  // Little-endian values at byte pos of the loaded data.
  i32 getInt(i32 pos) const;
  u16 getUnsignedShort(i32 pos) const;
  i16 getShort(i32 pos) const;

  operator void*() const { return mImpl; }  // NOLINT: the handles' non-null test
  bool operator==(const InFile& other) const { return mImpl == other.mImpl; }
  bool operator!=(const InFile& other) const { return mImpl != other.mImpl; }

 private:
  explicit InFile(Impl* impl) : mImpl(impl) {}
  const u8* bytesAt(i32 pos, i32 count) const;
  void release();

  Impl* mImpl = nullptr;
};

}  // namespace Engine::FileIO
