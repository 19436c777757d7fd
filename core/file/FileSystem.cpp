#include "core/file/FileSystem.h"

#include <cstring>
#include <vector>

#include "Engine/Base/DebugStream.h"
#include "Engine/FileIO/DiskFile.h"
#include "Engine/FileIO/OutFile.h"
#include "Engine/Threading/Sleep.h"
#include "core/file/SaveCodec.h"

namespace Game::FileSystem {

using Engine::i32;
using Engine::u8;

namespace {

constexpr Engine::u32 kPollMs = 1;

bool writeAndWait(const char* path, const void* data, i32 length) {
  Engine::FileIO::OutFile file = Engine::FileIO::OutFile::create(path, data, length);
  while (!file.isFinished()) {
    Engine::Threading::sleep(kPollMs);
  }
  return !file.isError();
}

String& home() {
  static String sHome("");
  return sHome;
}

}  // namespace

void setHome(const char* folder) {
  home().assign(folder);
  if (home().length() > 0 && home().c_str()[home().length() - 1] != '/') {
    home().appendChar('/');
  }
}

String homePath(const char* name) {
  String path(home().c_str());
  path.append(name);
  return path;
}

bool exists(const char* path) { return Engine::FileIO::diskFileExists(path); }

bool readBytes(const char* path, std::vector<u8>& out) { return Engine::FileIO::readDiskFile(path, out); }

bool readText(const char* path, String& out) {
  out.release();
  std::vector<u8> bytes;
  if (!readBytes(path, bytes)) {
    return false;
  }
  bytes.push_back(0);
  out.assign(reinterpret_cast<const char*>(bytes.data()));
  return true;
}

bool writeFile(const char* path, const void* data, i32 length, bool pack) {
  if (length < 0) {
    length = static_cast<i32>(std::strlen(static_cast<const char*>(data)));
  }
  if (!pack) {
    return writeAndWait(path, data, length);
  }
  std::vector<u8> packed;
  if (SaveCodec::pack(packed, static_cast<const u8*>(data), length) < 0) {
    // The file layer never sees this one, so the log line is ours.
    Engine::cout << "FileSystem : too large to save, not written ( " << path << " )" << Engine::endl;
    return false;
  }
  return writeAndWait(path, packed.data(), static_cast<i32>(packed.size()));
}

void removeAbandonedWrites(const char* folder, bool (*isTarget)(std::string_view name)) {
  Engine::FileIO::removeAbandonedWrites(homePath(folder).c_str(), isTarget);
}

}  // namespace Game::FileSystem
