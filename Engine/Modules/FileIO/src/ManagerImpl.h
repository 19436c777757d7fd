#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Base/ReferenceType.h"
#include "Engine/Base/Types.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/FileIO/OutFile.h"
#include "FileIO/src/Archive.h"
#include "Engine/Threading/Event.h"
#include "Engine/Threading/Mutex.h"
#include "FileIO/src/LoaderWakeup.h"

namespace Engine::FileIO {

class InFile::Impl : public ReferenceType {
 public:
  // Set by the loader before finished; read by the owner once finished is seen.
  std::unique_ptr<u8[]> data;
  u32 size = 0;
  std::atomic<u8> error{0};
  std::atomic<u8> finished{0};
  std::map<std::string, Impl*>::iterator position;
  // Guarded by the manager's mutex: false once a handle asked for a read
  // that never halts.
  bool haltOnError = true;
};

class OutFile::Impl : public ReferenceType {
 public:
  explicit Impl(u32 writeId) : id(writeId) {}
  u32 id;
  std::atomic<u8> error{0};
  std::atomic<u8> finished{0};
};

// A read request remembers how it was asked for, in case every handle is
// released before it is served.
struct ReadRequest {
  std::string name;
  bool haltOnError;
};

struct WriteRequest {
  std::string name;
  std::vector<u8> data;
  u32 id;
  bool detached;
};

// What a test may change; the program always uses the defaults.
struct ManagerOptions {
  // Read errors halt; write errors are only ever reported.
  bool abortOnError = true;
  i32 warningLimit = 0x7FFFFFFF;
  i32 errorLimit = 0x7FFFFFFF;
  // Without the loader job on the worker pool, serveRound is called by hand.
  bool startLoader = true;
};

class ManagerImpl {
 public:
  static constexpr std::size_t kWritePiece = 1048576;

  ManagerImpl(const char* const* archiveNames, i32 archiveCount, i32 loadMode, const ManagerOptions& options = {});
  ~ManagerImpl();
  ManagerImpl(const ManagerImpl&) = delete;
  ManagerImpl& operator=(const ManagerImpl&) = delete;

  static ManagerImpl* instance();
  static void create(const char* const* archiveNames, i32 archiveCount, i32 loadMode, const ManagerOptions& options);
  static void destroy();

  InFile::Impl* createInFile(const char* name, bool haltOnError);
  void destroyInFile(InFile::Impl* impl);
  OutFile::Impl* createOutFile(const char* name, const void* data, i32 size);
  void destroyOutFile(OutFile::Impl* impl);
  void writeDetached(const char* name, const void* data, i32 size);
  // Any thread: the sources and their entry tables never change after creation.
  bool holds(const char* name) const;

  // One round of the loader: one read request, then one write request.
  // False when both queues were empty.
  bool serveRound();

  i32 loadedBytes();
  // Whether a file still held is waiting for its read: whoever steps a game
  // by hand waits for none so that loads land on the same frames each run.
  bool isReading();
  const std::vector<std::unique_ptr<Archive>>& sources() const { return mSources; }

 private:
  class LoadThread;

  // The outcome of one read request, before it is handed to its InFile.
  struct Loaded {
    LoadBuffer buffer;
    u64 size = 0;
    bool error = false;
    bool isVoid = false;
  };

  bool serveRead();
  bool serveWrite();
  Loaded loadFrom(Archive& source, SourceStream& stream, const ReadRequest& request);
  bool isVoidRead(const std::string& name);
  void finishRead(const std::string& name, Loaded& loaded);
  bool haltsOnError(const ReadRequest& request);
  bool writePieces(const WriteRequest& request, Platform::OutputFile& file);
  bool isOutFileAlive(u32 id);
  void finishWrite(const WriteRequest& request, bool failed);
  void queueWrite(const char* name, const void* data, i32 size, u32 id, bool detached);
  void report(const char* message, const std::string& name);
  void fail(const char* message, const ReadRequest& request, const char* assertion);

  Threading::Mutex mMutex;
  std::unique_ptr<LoadThread> mLoadThread;
  Threading::Event mEndEvent;
  LoaderWakeup mWakeup;
  u32 mNextWriteId = 0;
  std::map<std::string, InFile::Impl*> mInFiles;
  std::map<u32, OutFile::Impl*> mOutFiles;
  std::deque<ReadRequest> mReadRequests;
  std::deque<std::unique_ptr<WriteRequest>> mWriteRequests;
  i32 mWarningLimit;
  i32 mErrorLimit;
  i32 mLoadedBytes = 0;
  bool mAbortOnError;
  std::vector<std::unique_ptr<Archive>> mSources;
  i32 mLoadMode;
};

}  // namespace Engine::FileIO
