// Saving on the real file system into a folder the player cannot write.

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/Platform/sdl/PosixFileSystem.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "file/FileSystem.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The fakes for everything but the disk.
class DiskBackend : public PlatformFake::FakeBackend {
 public:
  Platform::FileSystem& fileSystem() override { return mDisk; }

 private:
  Platform::Posix::PosixFileSystem mDisk;
};

constexpr uid_t kNobody = 65534;

enum ChildResult { kRefused = 0, kWrote = 1, kNotReported = 2, kCannotDrop = 3 };

// Runs in a child process, so that root can give up the rights that would let
// it write anyway. The file manager has the program's options: errors halt.
ChildResult saveAsPlayer(const std::string& root) {
  if (::chdir(root.c_str()) != 0) {
    return kCannotDrop;
  }
  if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
    return kCannotDrop;
  }
  DiskBackend backend;
  Platform::setBackend(&backend);
  Engine::Threading::Manager::create(0);
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, {});
  const bool wrote = Game::FileSystem::writeFile("savedata/0.sav", "head{version 2;}", -1, true);
  Engine::FileIO::ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
  Platform::setBackend(nullptr);
  if (wrote) {
    return kWrote;
  }
  for (const std::string& line : backend.fakeDebugOutput.lines) {
    if (line == "FileIO : can't open file! ( savedata/0.sav )\n") {
      return kRefused;
    }
  }
  return kNotReported;
}

std::vector<std::string> namesIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") {
        names.push_back(name);
      }
    }
    ::closedir(d);
  }
  return names;
}

TEST(SaveWriteTest, ASaveIntoAReadOnlyFolderFailsAloneAndKeepsTheOldSave) {
  std::string root = ::testing::TempDir() + "saveXXXXXX";
  ASSERT_NE(::mkdtemp(root.data()), nullptr);
  const std::string folder = root + "/savedata";
  Platform::Posix::PosixFileSystem disk;
  const Bytes old = {'o', 'l', 'd', 0, 0xFF, '\n'};
  ASSERT_TRUE(disk.writeWhole(folder + "/0.sav", old.data(), old.size()));
  ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
  ASSERT_EQ(::chmod((folder + "/0.sav").c_str(), 0644), 0);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);

  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    ::_exit(saveAsPlayer(root));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the failed save ended the program";
  EXPECT_EQ(WEXITSTATUS(status), kRefused);

  Bytes now;
  EXPECT_TRUE(disk.readWhole(folder + "/0.sav", now));
  EXPECT_EQ(now, old);
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"0.sav"});
  ::chmod(folder.c_str(), 0755);
  std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
