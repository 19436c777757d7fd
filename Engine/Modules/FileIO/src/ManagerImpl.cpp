#include "FileIO/src/ManagerImpl.h"

#include <algorithm>
#include <mutex>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Threading/Thread.h"

namespace Engine::FileIO {

namespace {

ManagerImpl* gManagerImpl = nullptr;

constexpr u32 kIdleWaitMs = 10;

using Lock = std::lock_guard<Threading::Mutex>;

}  // namespace

// The loader job on the worker pool: serves the request queues until the end
// event is set.
class ManagerImpl::LoadThread : public Threading::Thread {
 public:
  explicit LoadThread(ManagerImpl& owner) : mOwner(owner) {}
  ~LoadThread() override { wait(); }
  LoadThread(const LoadThread&) = delete;
  LoadThread& operator=(const LoadThread&) = delete;

  void operator()() override {
    while (!mOwner.mEndEvent.isSet()) {
      if (!mOwner.serveRound()) {
        mOwner.mWakeup.waitFor(kIdleWaitMs);
      }
    }
  }

 private:
  ManagerImpl& mOwner;
};

ManagerImpl::ManagerImpl(const char* const* archiveNames, i32 archiveCount, i32 loadMode, const ManagerOptions& options)
    : mWarningLimit(options.warningLimit),
      mErrorLimit(options.errorLimit),
      mAbortOnError(options.abortOnError),
      mLoadMode(loadMode) {
  mMutex = Threading::Mutex::create();
  mEndEvent = Threading::Event::create(false);
  ENGINE_ASSERT(loadMode >= 0 && loadMode <= 2 && "FileIO::Manager : load mode must be 0, 1 or 2.");
  if (loadMode == 1) {
    mSources.push_back(std::make_unique<Archive>(nullptr));
  }
  for (i32 i = 0; i < archiveCount; ++i) {
    mSources.push_back(std::make_unique<Archive>(archiveNames[i]));
  }
  if (loadMode == 0) {
    mSources.push_back(std::make_unique<Archive>(nullptr));
  }
  if (options.startLoader) {
    mLoadThread = std::make_unique<LoadThread>(*this);
    mLoadThread->start();
  }
}

ManagerImpl::~ManagerImpl() {
  ENGINE_ASSERT(mInFiles.size() == 0 && "FileIO::Manager : you must destroy all files!");
  ENGINE_ASSERT(mOutFiles.size() == 0 && "FileIO::Manager : writing files exist. IT MUST BE A BUG.");
  {
    Lock lock(mMutex);
    for (const auto& request : mWriteRequests) {
      if (!request->detached) {
        ENGINE_HALT("\"FileIO::Manager : you must wait all write request!\"");
      }
    }
    mWriteRequests.clear();
  }
  mEndEvent.set();
  mWakeup.signal();
  mLoadThread.reset();
  mSources.clear();
}

ManagerImpl* ManagerImpl::instance() { return gManagerImpl; }

void ManagerImpl::create(const char* const* archiveNames, i32 archiveCount, i32 loadMode, const ManagerOptions& options) {
  ENGINE_ASSERT(!gManagerImpl);
  gManagerImpl = new ManagerImpl(archiveNames, archiveCount, loadMode, options);
}

void ManagerImpl::destroy() {
  delete gManagerImpl;
  gManagerImpl = nullptr;
}

InFile::Impl* ManagerImpl::createInFile(const char* name, bool haltOnError) {
  Lock lock(mMutex);
  const auto found = mInFiles.find(name);
  if (found != mInFiles.end()) {
    found->second->refer();
    found->second->haltOnError = found->second->haltOnError && haltOnError;
    return found->second;
  }
  auto* impl = new InFile::Impl();
  impl->haltOnError = haltOnError;
  impl->position = mInFiles.emplace(name, impl).first;
  mReadRequests.push_back({name, haltOnError});
  mWakeup.signal();
  return impl;
}

void ManagerImpl::destroyInFile(InFile::Impl* impl) {
  Lock lock(mMutex);
  impl->release();
  if (impl->referenceCount() > 0) {
    return;
  }
  mLoadedBytes -= static_cast<i32>(impl->size);
  mInFiles.erase(impl->position);
  delete impl;
}

bool ManagerImpl::isReading() {
  Lock lock(mMutex);
  return std::any_of(mInFiles.begin(), mInFiles.end(),
                     [](const auto& entry) { return !entry.second->finished.load(std::memory_order_acquire); });
}

OutFile::Impl* ManagerImpl::createOutFile(const char* name, const void* data, i32 size) {
  Lock lock(mMutex);
  auto* impl = new OutFile::Impl(mNextWriteId);
  mOutFiles.emplace(mNextWriteId, impl);
  queueWrite(name, data, size, mNextWriteId, false);
  ++mNextWriteId;
  return impl;
}

void ManagerImpl::destroyOutFile(OutFile::Impl* impl) {
  Lock lock(mMutex);
  impl->release();
  if (impl->referenceCount() > 0) {
    return;
  }
  const auto it = mOutFiles.find(impl->id);
  ENGINE_ASSERT(it != mOutFiles.end());
  mOutFiles.erase(it);
  delete impl;
}

void ManagerImpl::writeDetached(const char* name, const void* data, i32 size) {
  Lock lock(mMutex);
  queueWrite(name, data, size, mNextWriteId, true);
  ++mNextWriteId;
}

// Called under the mutex.
void ManagerImpl::queueWrite(const char* name, const void* data, i32 size, u32 id, bool detached) {
  ENGINE_ASSERT(size >= 0 && (data || size == 0) && "FileIO : illegal write request.");
  const auto* bytes = static_cast<const u8*>(data);
  auto request = std::make_unique<WriteRequest>(WriteRequest{name, {}, id, detached});
  request->data.assign(bytes, bytes + size);
  mWriteRequests.push_back(std::move(request));
  mWakeup.signal();
}

bool ManagerImpl::holds(const char* name) const {
  return std::any_of(mSources.begin(), mSources.end(), [name](const auto& source) { return source->holds(name); });
}

i32 ManagerImpl::loadedBytes() {
  Lock lock(mMutex);
  return mLoadedBytes;
}

bool ManagerImpl::serveRound() {
  const bool read = serveRead();
  const bool wrote = serveWrite();
  return read || wrote;
}

void ManagerImpl::report(const char* message, const std::string& name) {
  Engine::cout << message << " ( " << name << " )" << endl;
}

void ManagerImpl::fail(const char* message, const ReadRequest& request, const char* assertion) {
  report(message, request.name);
  if (mAbortOnError && haltsOnError(request)) {
    ENGINE_HALT(assertion);
  }
}

// The file's handles decide while there are any; a request they have all
// let go of keeps the way it was asked for.
bool ManagerImpl::haltsOnError(const ReadRequest& request) {
  Lock lock(mMutex);
  const auto it = mInFiles.find(request.name);
  return it == mInFiles.end() ? request.haltOnError : it->second->haltOnError;
}

}  // namespace Engine::FileIO
