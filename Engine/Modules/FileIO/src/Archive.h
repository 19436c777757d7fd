#pragma once

#include <memory>
#include <string>

#include "Engine/Base/HashMap.h"
#include "Engine/Base/Types.h"
#include "Platform/FileSystem.h"

namespace Engine::FileIO {

// A file being loaded from one source: the archive's shared file positioned
// at an entry, or a loose file of its own.
struct SourceStream {
  Platform::InputFile* file = nullptr;
  std::unique_ptr<Platform::InputFile> ownFile;
  i32 entryIndex = -1;
};

// Bytes to load a file into; one byte more than the file for its terminating zero.
struct LoadBuffer {
  std::unique_ptr<u8[]> bytes;
  u64 capacity = 0;
};

// One source of files: a data archive, or (made without a name) the loose
// file system. A damaged archive is reported on the debug stream and finds
// nothing, so the next source is asked; a damaged entry fails alone.
class Archive {
 public:
  static constexpr u32 kNameMax = 1024;

  struct Entry {
    u32 block;
    u32 storedSize;
    u32 expandedSize;
    u32 bufferSize;
    // False when the sizes or position cannot be right for this archive: the
    // entry is refused when read, and the others are still served.
    bool intact;
  };

  explicit Archive(const char* fileName);
  ~Archive();
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  // False (and no stream) when the source does not hold the name.
  bool open(SourceStream& stream, const char* name);
  // As open would find it, without touching the archive's file position.
  bool holds(const char* name) const;
  void size(const SourceStream& stream, u64* storedSize, u64* expandedSize) const;
  // An empty buffer when the memory cannot be had.
  LoadBuffer allocate(const SourceStream& stream) const;
  // Reads (and expands) the file to the buffer's start; false on failure.
  bool read(SourceStream& stream, LoadBuffer& buffer, u64 storedSize);
  void close(SourceStream& stream);

  bool isDirect() const { return mDirect; }
  i32 entryCount() const { return mEntries.size(); }

 private:
  class TableReader;

  void load(const char* fileName);
  void reject(const char* message, const char* fileName);
  const Entry& entryOf(const SourceStream& stream) const;
  bool readEntry(SourceStream& stream, LoadBuffer& buffer, u64 storedSize);

  bool mDirect;
  u32 mBlockSize = 0;
  std::unique_ptr<Platform::InputFile> mFile;
  HashMap<Entry> mEntries;
};

}  // namespace Engine::FileIO
