#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/Threading/Mutex.h"

namespace Game {

// A data file read through the framework's file manager (archives or loose
// files by the load mode), or a save file unpacked after reading.
class FileReader {
 public:
  FileReader();
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // Starts reading path. keepAlive hands the file to the file loader's ring
  // so that opening it again soon is not a second read. wait blocks until the
  // read has finished; unpack (with wait) then undoes the save-file packing:
  // data and size become the payload, empty when the file is not a valid
  // packed file.
  void open(const char* path, bool wait, bool unpack, bool keepAlive);
  // As open without unpacking or keeping alive, for a file the game can do
  // without (a floor or chara a save names, a tune): one that is missing, not
  // a regular file or cannot be read leaves nothing read (data null) and
  // never halts.
  void openWithoutHalt(const char* path, bool wait);

  // The bytes read (or unpacked), followed by one zero byte; null and 0 when
  // nothing was read. Callers treat a size of 0 as a missing file.
  const char* data() const;
  Engine::i32 size() const;
  // Unsigned byte values; reads outside [0, size) give 0.
  Engine::i32 byteAt(Engine::i32 pos) const;
  // n (1 to 4) bytes from pos, combined little- or big-endian.
  Engine::u32 readInt(Engine::i32 pos, Engine::i32 n, bool littleEndian) const;

  // False when nothing is being read.
  bool isFinished();
  // Lets go of the file's bytes; an unpacked payload stays.
  void release();

 private:
  void start(const char* path, bool haltOnError, bool keepAlive, bool wait);
  void unpackLoaded();
  void freePayload();

  Engine::FileIO::InFile mFile;
  std::unique_ptr<Engine::u8[]> mDecoded;
  Engine::i32 mDecodedSize = 0;
  bool mUnpacked = false;
  Engine::Threading::Mutex mMutex;
};

}  // namespace Game
