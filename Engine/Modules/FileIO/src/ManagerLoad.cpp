// The loader's side of the file manager: serving read and write requests.

#include <algorithm>
#include <mutex>

#include "Engine/Base/Assert.h"
#include "FileIO/src/ManagerImpl.h"
#include "Platform/Backend.h"

namespace Engine::FileIO {

namespace {

constexpr u64 kMaxFileSize = 0x80000000u;

using Lock = std::lock_guard<Threading::Mutex>;

}  // namespace

bool ManagerImpl::serveRead() {
  ReadRequest request;
  {
    Lock lock(mMutex);
    if (mReadRequests.empty()) {
      return false;
    }
    request = std::move(mReadRequests.front());
    mReadRequests.pop_front();
  }
  const std::string& name = request.name;
  Loaded loaded;
  SourceStream stream;
  const auto source = std::find_if(mSources.begin(), mSources.end(),
                                   [&](const auto& archive) { return archive->open(stream, name.c_str()); });
  if (source == mSources.end()) {
    fail("FileIO : can't open file!", request, "\"FileIO : can't open file!\"");
    loaded.error = true;
  } else {
    loaded = loadFrom(**source, stream, request);
    (*source)->close(stream);
  }
  finishRead(name, loaded);
  return true;
}

ManagerImpl::Loaded ManagerImpl::loadFrom(Archive& source, SourceStream& stream, const ReadRequest& request) {
  const std::string& name = request.name;
  Loaded loaded;
  u64 storedSize = 0;
  source.size(stream, &storedSize, &loaded.size);
  if (loaded.size >= kMaxFileSize) {
    fail("FileIO : file is too big! 2GB is maximum.", request, "\"FileIO : file is too big! 2GB is maximum.\"");
    loaded.error = true;
  } else {
    const i64 total = static_cast<i64>(loadedBytes()) + static_cast<i64>(loaded.size);
    if (total > mErrorLimit) {
      fail("FileIO : EXCEED ERROR LIMIT! this file is not loaded.", request,
           "\"FileIO : EXCEED ERROR LIMIT! this file is not loaded.\"");
      loaded.error = true;
    } else if (total > mWarningLimit) {
      report("FileIO : EXCEED WARNING LIMIT!", name);
    }
  }
  loaded.isVoid = isVoidRead(name);
  if (loaded.isVoid || loaded.error) {
    return loaded;
  }
  loaded.buffer = source.allocate(stream);
  if (!loaded.buffer.bytes || !source.read(stream, loaded.buffer, storedSize)) {
    fail("FileIO : read error! can't read entire file!", request, "\"FileIO : read error! can't read entire file!\"");
    loaded.error = true;
    return loaded;
  }
  loaded.buffer.bytes[loaded.size] = 0;
  return loaded;
}

// A read whose file has been released, or already loaded by an earlier
// request of the same name, is not needed any more.
bool ManagerImpl::isVoidRead(const std::string& name) {
  Lock lock(mMutex);
  const auto it = mInFiles.find(name);
  return it == mInFiles.end() || it->second->finished.load(std::memory_order_acquire);
}

void ManagerImpl::finishRead(const std::string& name, Loaded& loaded) {
  Lock lock(mMutex);
  const auto it = mInFiles.find(name);
  if (it == mInFiles.end()) {
    return;
  }
  InFile::Impl& impl = *it->second;
  // A finished file keeps its result: this request was not the one it waited for.
  if (impl.finished.load(std::memory_order_acquire)) {
    return;
  }
  if (loaded.error) {
    impl.error.store(1, std::memory_order_relaxed);
    impl.finished.store(1, std::memory_order_release);
    return;
  }
  if (loaded.isVoid) {
    return;
  }
  impl.data = std::move(loaded.buffer.bytes);
  impl.size = static_cast<u32>(loaded.size);
  mLoadedBytes += static_cast<i32>(impl.size);
  impl.error.store(impl.data ? 0 : 1, std::memory_order_relaxed);
  impl.finished.store(1, std::memory_order_release);
}

bool ManagerImpl::serveWrite() {
  std::unique_ptr<WriteRequest> request;
  {
    Lock lock(mMutex);
    if (mWriteRequests.empty()) {
      return false;
    }
    request = std::move(mWriteRequests.front());
    mWriteRequests.pop_front();
  }
  // A write that fails (disk full, no permission) is reported, never fatal:
  // the old file stays in place and the caller learns it from the OutFile.
  bool failed = false;
  std::unique_ptr<Platform::OutputFile> file = Platform::backend().fileSystem().openWrite(request->name);
  if (!file) {
    report("FileIO : can't open file!", request->name);
    failed = true;
  } else if (!writePieces(*request, *file)) {
    report("FileIO : write error! can't write entire file!", request->name);
    failed = true;
  }
  finishWrite(*request, failed);
  return true;
}

// Writes the request in pieces of at most 1 MB and puts the file in place.
// An attached write whose OutFile is released stops, leaving the old file.
bool ManagerImpl::writePieces(const WriteRequest& request, Platform::OutputFile& file) {
  std::size_t written = 0;
  while (written < request.data.size()) {
    if (written > 0 && !request.detached && !isOutFileAlive(request.id)) {
      return true;
    }
    const std::size_t piece = std::min(request.data.size() - written, kWritePiece);
    if (!file.write(request.data.data() + written, piece)) {
      return false;
    }
    written += piece;
  }
  return file.commit();
}

bool ManagerImpl::isOutFileAlive(u32 id) {
  Lock lock(mMutex);
  return mOutFiles.count(id) > 0;
}

void ManagerImpl::finishWrite(const WriteRequest& request, bool failed) {
  if (request.detached) {
    return;
  }
  Lock lock(mMutex);
  const auto it = mOutFiles.find(request.id);
  if (it == mOutFiles.end()) {
    return;
  }
  it->second->error.store(failed ? 1 : 0, std::memory_order_relaxed);
  it->second->finished.store(1, std::memory_order_release);
}

}  // namespace Engine::FileIO
