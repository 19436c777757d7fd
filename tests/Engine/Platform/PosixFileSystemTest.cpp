#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Engine/Platform/sdl/PosixFileSystem.h"
#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/WaveBytes.h"
#include "Platform/SystemBackend.h"
#include "Sound/src/WaveImpl.h"
#include "tests/Await.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "fsXXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    mRoot = pattern + "/";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(mRoot, ignored);
  }

  static std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      names.push_back(entry.path().filename());
    }
    return names;
  }
  Bytes read(const std::string& path) {
    Bytes out;
    EXPECT_TRUE(fs.readWhole(path, out, 6)) << path;  // at the limit: the largest file here
    return out;
  }
  // The exit code of body run in a forked child, on this test's own files
  // (a death test's child would run the whole test again on new ones).
  static int inChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
      _exit(body());
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  Platform::Posix::PosixFileSystem fs;
  std::string mRoot;
};

TEST_F(PosixFileSystemTest, WritesThroughMissingDirectoriesAndReadsBack) {
  const std::string path = mRoot + "save\\slot\\data.sav";
  ASSERT_TRUE(fs.writeWhole(path, "abc", 3));
  EXPECT_EQ(read(mRoot + "save/slot/data.sav"), (Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(namesIn(mRoot + "save/slot"), std::vector<std::string>{"data.sav"});

  auto file = fs.openRead(path);
  ASSERT_TRUE(file);
  char c = 0;
  EXPECT_TRUE(file->seek(2) && file->read(&c, 1));
  EXPECT_EQ(c, 'c');
  EXPECT_FALSE(file->read(&c, 1));
  EXPECT_FALSE(fs.openRead(mRoot + "save"));
  EXPECT_FALSE(fs.openRead(mRoot + "none"));
  EXPECT_TRUE(fs.makeDirectories(mRoot + "a/b/c/") && fs.exists(mRoot + "a/b/c"));
  // A directory cannot be made where a file is.
  EXPECT_FALSE(fs.makeDirectories(mRoot + "save/slot/data.sav/sub"));
  EXPECT_FALSE(fs.openWrite(mRoot + "save/slot/data.sav/sub/x.txt"));
  EXPECT_FALSE(fs.openWrite(mRoot + "dir/"));
  // A FIFO is there but never opened, nor waited on for a writer (the child's
  // alarm ends a blocking open); a file over the limit, sparse 40 GB, is refused.
  const std::string fifo = mRoot + "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(inChild([&] { return alarm(60) == 0 && fs.exists(fifo) && !fs.openRead(fifo) ? 0 : 1; }), 0);
  std::filesystem::resize_file(mRoot + "save/slot/data.sav", std::uintmax_t{40} << 30);
  Bytes out;
  EXPECT_FALSE(fs.readWhole(path, out, 1u << 24));
}

TEST_F(PosixFileSystemTest, ShiftJisPathsAreConvertedBeforeSeparatorsAreSwapped) {
  // 表 is 95 5C in Shift-JIS: its trail byte is a backslash.
  ASSERT_TRUE(fs.writeWhole(mRoot + "表\\ソ.txt", "x", 1));
  const std::string utf8Dir(reinterpret_cast<const char*>(u8"表"));
  EXPECT_EQ(namesIn(mRoot), std::vector<std::string>{utf8Dir});
  EXPECT_EQ(namesIn(mRoot + utf8Dir), std::vector<std::string>{reinterpret_cast<const char*>(u8"ソ.txt")});
  EXPECT_EQ(read(mRoot + "表/ソ.txt"), Bytes{'x'});
}

TEST_F(PosixFileSystemTest, AnUnfinishedReplacementLeavesThePreviousFile) {
  const std::string path = mRoot + "config.ini";
  ASSERT_TRUE(fs.writeWhole(path, "old", 3));
  {
    auto file = fs.openWrite(path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->write("new contents", 12));
  }
  EXPECT_EQ(read(path), (Bytes{'o', 'l', 'd'}));
  // The process is killed after writing, before the rename: its temporary
  // file goes once asked, while ours (still open) and other names stay.
  EXPECT_EQ(inChild([&] {
              fs.openWrite(path).release()->write("partial", 7);
              return 3;
            }),
            3);
  EXPECT_EQ(read(path), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(namesIn(mRoot).size(), 2u);
  auto ours = fs.openWrite(path);
  ASSERT_TRUE(ours && fs.writeWhole(mRoot + "config.ini.tmpx_1", "", 0));
  const auto removed = fs.removeAbandonedTemporaries(mRoot, [](std::string_view name) { return name == "config.ini"; });
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].rfind("config.ini.tmp", 0), 0u);
  EXPECT_EQ(namesIn(mRoot).size(), 3u);
  EXPECT_EQ(fs.listDirectory(mRoot).size(), 3u);
  ours.reset();

  ASSERT_TRUE(fs.writeWhole(path, "newer", 5));
  EXPECT_EQ(read(path), (Bytes{'n', 'e', 'w', 'e', 'r'}));
}

TEST_F(PosixFileSystemTest, AWriteIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  const std::string folder = mRoot + "savedata";
  const Bytes old = {'o', 'l', 'd', 0, 0xFF, '\n'};
  ASSERT_TRUE(fs.writeWhole(folder + "/0.sav", old.data(), old.size()));
  ASSERT_EQ(chmod(mRoot.c_str(), 0755), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  constexpr uid_t kNobody = 65534;  // root writes anyway: the child gives its rights up
  EXPECT_EQ(inChild([&] {
              if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
                return 2;
              }
              return fs.writeWhole(folder + "/0.sav", "new", 3) ? 1 : 0;
            }),
            0);
  EXPECT_EQ(read(folder + "/0.sav"), old);
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"0.sav"});
  chmod(folder.c_str(), 0755);
}

}  // namespace

// The real audio output under SDL's dummy driver.

namespace {

using TestAwait::awaitTrue;

TEST(AudioOutputTest, ASoundPlaysToItsEndOnTheDummyDevice) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto backend = Platform::createSystemBackend();
  Platform::setBackend(backend.get());
  Engine::Sound::Manager::create();
  {
    const auto file = SoundTest::WaveBytes(1, 22050, 16).data16(std::vector<std::int16_t>(2205, 1000));
    Engine::Sound::Wave wave(Engine::Sound::Wave::Impl::fromBytes("beep.wav", file.bytes.data(), file.bytes.size()));
    Engine::Sound::Player player = Engine::Sound::Player::create(wave);
    player.play(false);
    EXPECT_TRUE(awaitTrue([&] { return !player.isPlaying(); }));
  }
  Engine::Sound::Manager::destroy();
  Platform::setBackend(nullptr);
}

}  // namespace
