// The public handles over the file manager's implementations.

#include <atomic>

#include "Engine/Base/Assert.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/FileIO/Manager.h"
#include "Engine/FileIO/OutFile.h"
#include "FileIO/src/ManagerImpl.h"

namespace Engine::FileIO {

namespace {

ManagerImpl& manager() {
  ManagerImpl* impl = ManagerImpl::instance();
  ENGINE_ASSERT(impl && "FileIO::Manager does not exist.");
  return *impl;
}

}  // namespace

InFile InFile::create(const char* name) { return InFile(manager().createInFile(name, true)); }

InFile InFile::createWithoutHalt(const char* name) { return InFile(manager().createInFile(name, false)); }

InFile::InFile(const InFile& other) : mImpl(other.mImpl) { referImpl(mImpl); }

InFile& InFile::operator=(const InFile& other) {
  if (mImpl != other.mImpl) {
    release();
    mImpl = other.mImpl;
    referImpl(mImpl);
  }
  return *this;
}

InFile::~InFile() { release(); }

void InFile::release() {
  if (mImpl) {
    manager().destroyInFile(mImpl);
    mImpl = nullptr;
  }
}

bool InFile::isFinished() const { return mImpl->finished.load(std::memory_order_acquire) != 0; }

bool InFile::isError() const { return isFinished() && mImpl->error.load(std::memory_order_relaxed) != 0; }

const char* InFile::data() const {
  return isFinished() ? reinterpret_cast<const char*>(mImpl->data.get()) : nullptr;
}

u32 InFile::size() const { return isFinished() ? mImpl->size : 0; }

const u8* InFile::bytesAt(i32 pos, i32 count) const {
  ENGINE_ASSERT(isFinished() && mImpl->data && "InFile : the file is not loaded.");
  ENGINE_ASSERT(pos >= 0 && static_cast<u64>(pos) + static_cast<u64>(count) <= mImpl->size && "range error.");
  return mImpl->data.get() + pos;
}

i32 InFile::getInt(i32 pos) const {
  const u8* b = bytesAt(pos, 4);
  return static_cast<i32>(static_cast<u32>(b[0]) | static_cast<u32>(b[1]) << 8 | static_cast<u32>(b[2]) << 16 |
                          static_cast<u32>(b[3]) << 24);
}

u16 InFile::getUnsignedShort(i32 pos) const {
  const u8* b = bytesAt(pos, 2);
  return static_cast<u16>(b[0] | b[1] << 8);
}

i16 InFile::getShort(i32 pos) const { return static_cast<i16>(getUnsignedShort(pos)); }

OutFile OutFile::create(const char* name, const void* data, i32 size) {
  return OutFile(manager().createOutFile(name, data, size));
}

OutFile::OutFile(const OutFile& other) : mImpl(other.mImpl) { referImpl(mImpl); }

OutFile& OutFile::operator=(const OutFile& other) {
  if (mImpl != other.mImpl) {
    release();
    mImpl = other.mImpl;
    referImpl(mImpl);
  }
  return *this;
}

OutFile::~OutFile() { release(); }

void OutFile::release() {
  if (mImpl) {
    manager().destroyOutFile(mImpl);
    mImpl = nullptr;
  }
}

bool OutFile::isFinished() const { return mImpl->finished.load(std::memory_order_acquire) != 0; }

bool OutFile::isError() const { return isFinished() && mImpl->error.load(std::memory_order_relaxed) != 0; }

void Manager::create(const char* const* archiveNames, i32 archiveCount, i32 loadMode) {
  ManagerImpl::create(archiveNames, archiveCount, loadMode, ManagerOptions());
}

void Manager::destroy() { ManagerImpl::destroy(); }

void Manager::write(const char* name, const void* data, i32 size) { manager().writeDetached(name, data, size); }

bool Manager::holds(const char* name) { return manager().holds(name); }

bool Manager::isReading() { return manager().isReading(); }

}  // namespace Engine::FileIO
