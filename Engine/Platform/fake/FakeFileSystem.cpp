#include "PlatformFake/FakeFileSystem.h"

#include <algorithm>
#include <cstring>

namespace PlatformFake {

namespace {

bool isSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string parentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class FakeInputFile : public Platform::InputFile {
 public:
  FakeInputFile(std::vector<std::uint8_t> bytes, bool failing) : mBytes(std::move(bytes)), mFailing(failing) {}
  std::uint64_t size() override { return mBytes.size(); }
  bool seek(std::uint64_t position) override {
    mPosition = position;
    return true;
  }
  bool read(void* buffer, std::size_t count) override {
    if (mFailing || mPosition > mBytes.size() || count > mBytes.size() - mPosition) {
      return false;
    }
    if (count > 0) {
      std::memcpy(buffer, mBytes.data() + mPosition, count);
    }
    mPosition += count;
    return true;
  }

 private:
  std::vector<std::uint8_t> mBytes;
  bool mFailing;
  std::uint64_t mPosition = 0;
};

}  // namespace

class FakeOutputFile : public Platform::OutputFile {
 public:
  FakeOutputFile(FakeFileSystem& owner, std::string path) : mOwner(owner), mPath(std::move(path)) {}
  bool write(const void* data, std::size_t count) override {
    if (!mOwner.acceptWrite(mBytes.size(), count)) {
      return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    mBytes.insert(mBytes.end(), bytes, bytes + count);
    mOwner.afterWrite();
    return true;
  }
  bool commit() override { return mOwner.commitFile(mPath, std::move(mBytes)); }

 private:
  FakeFileSystem& mOwner;
  std::string mPath;
  std::vector<std::uint8_t> mBytes;
};

namespace {

// "." and ".." steps are taken as a real file system takes them, so a name
// that climbs out of a folder reaches the file it names there; steps above
// the root stay in the path, naming files outside the game's folder.
std::string withStepsTaken(const std::string& path) {
  std::vector<std::string> steps;
  for (std::size_t from = 0; from <= path.size();) {
    const std::size_t to = std::min(path.find('/', from), path.size());
    const std::string step = path.substr(from, to - from);
    if (step == ".." && !steps.empty() && steps.back() != "..") {
      steps.pop_back();
    } else if (step != "." && (!step.empty() || from == 0)) {
      steps.push_back(step);
    }
    from = to + 1;
  }
  std::string out;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    out += (i > 0 ? "/" : "") + steps[i];
  }
  return out;
}

}  // namespace

std::string FakeFileSystem::normalize(std::string_view path) {
  std::string out(path);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (isSjisLead(c)) {
      ++i;
    } else if (c == '\\') {
      out[i] = '/';
    }
  }
  return out.find("./") == std::string::npos && out.find("/.") == std::string::npos ? out : withStepsTaken(out);
}

std::unique_ptr<Platform::InputFile> FakeFileSystem::openRead(std::string_view path) {
  std::lock_guard lock(mMutex);
  const std::string name = normalize(path);
  mOpenedForReading.push_back(name);
  if (mVanishing.erase(name) > 0) {
    mFiles.erase(name);
  }
  const auto it = mFiles.find(name);
  if (it == mFiles.end()) {
    return nullptr;
  }
  return std::make_unique<FakeInputFile>(it->second, mFailingReads.count(name) > 0);
}

std::unique_ptr<Platform::OutputFile> FakeFileSystem::openWrite(std::string_view path) {
  std::lock_guard lock(mMutex);
  if (mFailOpenWrite) {
    return nullptr;
  }
  const std::string name = normalize(path);
  for (std::string dir = parentOf(name); !dir.empty(); dir = parentOf(dir)) {
    mDirectories.insert(dir);
  }
  return std::make_unique<FakeOutputFile>(*this, name);
}

bool FakeFileSystem::exists(std::string_view path) {
  std::lock_guard lock(mMutex);
  const std::string name = normalize(path);
  return mFiles.count(name) > 0 || mDirectories.count(name) > 0 || mUnopenable.count(name) > 0;
}

bool FakeFileSystem::makeDirectories(std::string_view path) {
  std::lock_guard lock(mMutex);
  for (std::string dir = normalize(path); !dir.empty(); dir = parentOf(dir)) {
    mDirectories.insert(dir);
  }
  return true;
}

std::vector<std::string> FakeFileSystem::listDirectory(std::string_view path) {
  std::lock_guard lock(mMutex);
  std::string folder = normalize(path);
  if (!folder.empty() && folder.back() != '/') {
    folder += '/';
  }
  std::set<std::string> names;
  for (const auto& [name, bytes] : mFiles) {
    if (name.size() > folder.size() && name.compare(0, folder.size(), folder) == 0) {
      const std::string rest = name.substr(folder.size());
      names.insert(rest.substr(0, rest.find('/')));
    }
  }
  return {names.begin(), names.end()};
}

bool FakeFileSystem::removeFile(std::string_view path) {
  std::lock_guard lock(mMutex);
  return mFiles.erase(normalize(path)) > 0;
}

void FakeFileSystem::put(std::string_view path, std::vector<std::uint8_t> bytes) {
  std::lock_guard lock(mMutex);
  mFiles[normalize(path)] = std::move(bytes);
}

void FakeFileSystem::put(std::string_view path, std::string_view text) {
  put(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void FakeFileSystem::remove(std::string_view path) {
  std::lock_guard lock(mMutex);
  const std::string name = normalize(path);
  mFiles.erase(name);
  mUnopenable.erase(name);
  mFailingReads.erase(name);
}

std::optional<std::vector<std::uint8_t>> FakeFileSystem::contents(std::string_view path) {
  std::lock_guard lock(mMutex);
  const auto it = mFiles.find(normalize(path));
  if (it == mFiles.end()) {
    return std::nullopt;
  }
  return it->second;
}

std::vector<std::string> FakeFileSystem::openedForReading() {
  std::lock_guard lock(mMutex);
  return mOpenedForReading;
}

std::vector<std::size_t> FakeFileSystem::writePieces() {
  std::lock_guard lock(mMutex);
  return mWritePieces;
}

void FakeFileSystem::forgetAccesses() {
  std::lock_guard lock(mMutex);
  mOpenedForReading.clear();
  mWritePieces.clear();
}

bool FakeFileSystem::hasDirectory(std::string_view path) {
  std::lock_guard lock(mMutex);
  return mDirectories.count(normalize(path)) > 0;
}

void FakeFileSystem::failOpenWrite(bool fail) {
  std::lock_guard lock(mMutex);
  mFailOpenWrite = fail;
}

void FakeFileSystem::failWritesAfter(std::size_t bytes) {
  std::lock_guard lock(mMutex);
  mFailWritesAfter = bytes;
}

void FakeFileSystem::failCommit(bool fail) {
  std::lock_guard lock(mMutex);
  mFailCommit = fail;
}

void FakeFileSystem::vanishOnRead(std::string_view path) {
  std::lock_guard lock(mMutex);
  mVanishing.insert(normalize(path));
}

void FakeFileSystem::putUnopenable(std::string_view path) {
  std::lock_guard lock(mMutex);
  mUnopenable.insert(normalize(path));
}

void FakeFileSystem::failReads(std::string_view path) {
  std::lock_guard lock(mMutex);
  mFailingReads.insert(normalize(path));
}

void FakeFileSystem::onWrite(std::function<void()> hook) {
  std::lock_guard lock(mMutex);
  mOnWrite = std::move(hook);
}

void FakeFileSystem::afterWrite() {
  std::function<void()> hook;
  {
    std::lock_guard lock(mMutex);
    hook = mOnWrite;
  }
  if (hook) {
    hook();
  }
}

bool FakeFileSystem::acceptWrite(std::size_t writtenBefore, std::size_t count) {
  std::lock_guard lock(mMutex);
  mWritePieces.push_back(count);
  return writtenBefore + count <= mFailWritesAfter;
}

bool FakeFileSystem::commitFile(const std::string& path, std::vector<std::uint8_t> bytes) {
  std::lock_guard lock(mMutex);
  if (mFailCommit) {
    return false;
  }
  mFiles[path] = std::move(bytes);
  return true;
}

}  // namespace PlatformFake
