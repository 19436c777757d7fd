#include "PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <limits>

#include "Platform/TextCodec.h"

namespace Platform::Posix {

namespace {

bool isDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool makeDirectoryChain(const std::string& path) {
  if (path.empty() || isDirectory(path)) {
    return true;
  }
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
      return false;
    }
  }
  return (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) && isDirectory(path);
}

std::string parentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : mFd(fd) {}
  ~PosixInputFile() override { ::close(mFd); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::uint64_t size() override {
    struct stat info {};
    return ::fstat(mFd, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  }

  bool seek(std::uint64_t position) override {
    return ::lseek(mFd, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
  }

  bool read(void* buffer, std::size_t count) override {
    auto* at = static_cast<char*>(buffer);
    while (count > 0) {
      const ssize_t got = ::read(mFd, at, count);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        return false;
      }
      at += got;
      count -= static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  int mFd;
};

class PosixOutputFile : public OutputFile {
 public:
  PosixOutputFile(int fd, std::string temporary, std::string target)
      : mFd(fd), mTemporary(std::move(temporary)), mTarget(std::move(target)) {}
  ~PosixOutputFile() override {
    if (mFd >= 0) {
      ::close(mFd);
    }
    if (!mCommitted) {
      ::unlink(mTemporary.c_str());
    }
  }
  PosixOutputFile(const PosixOutputFile&) = delete;
  PosixOutputFile& operator=(const PosixOutputFile&) = delete;

  bool write(const void* data, std::size_t count) override {
    const auto* at = static_cast<const char*>(data);
    while (count > 0 && mFd >= 0) {
      const ssize_t put = ::write(mFd, at, count);
      if (put < 0 && errno == EINTR) {
        continue;
      }
      if (put <= 0) {
        return false;
      }
      at += put;
      count -= static_cast<std::size_t>(put);
    }
    return count == 0;
  }

  bool commit() override {
    if (mFd < 0 || mCommitted) {
      return false;
    }
    const bool synced = ::fsync(mFd) == 0;
    const bool closed = ::close(mFd) == 0;
    mFd = -1;
    if (!synced || !closed || ::rename(mTemporary.c_str(), mTarget.c_str()) != 0) {
      return false;
    }
    mCommitted = true;
    syncDirectory();
    return true;
  }

 private:
  // Makes the rename itself durable; a failure here cannot undo the new file.
  void syncDirectory() {
    const std::string directory = parentOf(mTarget);
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
      ::fsync(fd);
      ::close(fd);
    }
  }

  int mFd;
  bool mCommitted = false;
  std::string mTemporary;
  std::string mTarget;
};

std::string temporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return FileSystem::temporaryName(target, static_cast<std::uint64_t>(::getpid()), counter++);
}

}  // namespace

std::string systemPath(std::string_view sjisPath) {
  std::string path = sjisToUtf8(sjisPath);
  for (char& c : path) {
    if (c == '\\') {
      c = '/';
    }
  }
  return path;
}

std::unique_ptr<InputFile> PosixFileSystem::openRead(std::string_view path) {
  const std::string name = systemPath(path);
  // Non-blocking, so that a FIFO put in a file's place cannot hold the open;
  // the flag means nothing to the regular files that are kept.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixInputFile>(fd);
}

std::unique_ptr<OutputFile> PosixFileSystem::openWrite(std::string_view path) {
  const std::string target = systemPath(path);
  if (target.empty() || target.back() == '/' || !makeDirectoryChain(parentOf(target))) {
    return nullptr;
  }
  const std::string temporary = temporaryNameFor(target);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    return nullptr;
  }
  return std::make_unique<PosixOutputFile>(fd, temporary, target);
}

bool PosixFileSystem::exists(std::string_view path) {
  struct stat info {};
  return ::stat(systemPath(path).c_str(), &info) == 0;
}

std::vector<std::string> PosixFileSystem::listDirectory(std::string_view path) {
  const std::string name = systemPath(path);
  std::vector<std::string> names;
  DIR* directory = ::opendir(name.empty() ? "." : name.c_str());
  if (!directory) {
    return names;
  }
  while (const dirent* entry = ::readdir(directory)) {
    const std::string_view entryName = entry->d_name;
    if (entryName != "." && entryName != "..") {
      names.push_back(utf8ToSjis(entryName));
    }
  }
  ::closedir(directory);
  return names;
}

bool PosixFileSystem::removeFile(std::string_view path) { return ::unlink(systemPath(path).c_str()) == 0; }

// A process of another user answers "not permitted", yet it runs.
bool PosixFileSystem::isProcessRunning(std::uint64_t processId) {
  if (processId == 0 || processId > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) {
    return false;
  }
  return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

bool PosixFileSystem::makeDirectories(std::string_view path) {
  std::string name = systemPath(path);
  while (name.size() > 1 && name.back() == '/') {
    name.pop_back();
  }
  return makeDirectoryChain(name);
}

}  // namespace Platform::Posix
