#include "core/file/FileReader.h"

#include <mutex>

#include "Engine/Threading/Sleep.h"
#include "core/file/FileLoader.h"
#include "core/file/SaveCodec.h"

namespace Game {

using Engine::i32;
using Engine::u32;
using Engine::u8;

namespace {

using Lock = std::lock_guard<Engine::Threading::Mutex>;

constexpr u32 kPollMs = 1;

}  // namespace

FileReader::FileReader() : mMutex(Engine::Threading::Mutex::create()) {}

FileReader::~FileReader() {
  Lock lock(mMutex);
  mFile = Engine::FileIO::InFile();
  freePayload();
}

void FileReader::open(const char* path, bool wait, bool unpack, bool keepAlive) {
  Lock lock(mMutex);
  start(path, true, keepAlive, wait);
  if (wait && unpack) {
    unpackLoaded();
  }
}

// Never held, so a file that failed is read again when it is next opened.
void FileReader::openWithoutHalt(const char* path, bool wait) {
  Lock lock(mMutex);
  start(path, false, false, wait);
}

// The file read before is let go first: a new read of the same name would
// share its load, also a load that failed.
void FileReader::start(const char* path, bool haltOnError, bool keepAlive, bool wait) {
  freePayload();
  mFile = Engine::FileIO::InFile();
  mFile = haltOnError ? Engine::FileIO::InFile::create(path) : Engine::FileIO::InFile::createWithoutHalt(path);
  if (keepAlive && FileLoader::instance()) {
    FileLoader::instance()->request(mFile);
  }
  while (wait && !mFile.isFinished()) {
    Engine::Threading::sleep(kPollMs);
  }
}

// The payload gets a zero byte after it, as loaded files do, so a payload
// that does not end its text itself still reads as one string.
void FileReader::unpackLoaded() {
  mUnpacked = true;
  if (mFile.isError() || !mFile.data()) {
    return;
  }
  const i32 packedSize = static_cast<i32>(mFile.size());
  const i32 capacity = SaveCodec::unpackCapacity(packedSize);
  auto decoded = std::make_unique<u8[]>(static_cast<std::size_t>(capacity) + 1);
  const auto* packed = reinterpret_cast<const u8*>(mFile.data());
  const i32 n = SaveCodec::unpack(decoded.get(), capacity, packed, packedSize);
  if (n > 0) {
    decoded[static_cast<std::size_t>(n)] = 0;
    mDecoded = std::move(decoded);
    mDecodedSize = n;
  }
}

const char* FileReader::data() const {
  if (mUnpacked) {
    return reinterpret_cast<const char*>(mDecoded.get());
  }
  return mFile ? mFile.data() : nullptr;
}

i32 FileReader::size() const {
  if (mUnpacked) {
    return mDecodedSize;
  }
  return mFile && mFile.data() ? static_cast<i32>(mFile.size()) : 0;
}

i32 FileReader::byteAt(i32 pos) const {
  if (pos < 0 || pos >= size()) {
    return 0;
  }
  return static_cast<u8>(data()[pos]);
}

u32 FileReader::readInt(i32 pos, i32 n, bool littleEndian) const {
  u32 value = 0;
  for (i32 i = 0; i < n; ++i) {
    const auto byte = static_cast<u32>(byteAt(pos + i));
    value = littleEndian ? value | byte << (8 * i) : value << 8 | byte;
  }
  return value;
}

bool FileReader::isFinished() {
  Lock lock(mMutex);
  return mFile && mFile.isFinished();
}

// The unpacked payload stays until the next open.
void FileReader::release() {
  Lock lock(mMutex);
  mFile = Engine::FileIO::InFile();
}

void FileReader::freePayload() {
  mDecoded.reset();
  mDecodedSize = 0;
  mUnpacked = false;
}

}  // namespace Game
