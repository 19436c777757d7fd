#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/Platform/sdl/PosixFileSystem.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "fsXXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    mRoot = pattern + "/";
  }
  void TearDown() override { std::system(("rm -rf '" + mRoot + "'").c_str()); }

  std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(d);
    }
    return names;
  }

  Bytes read(const std::string& path) {
    Bytes out;
    EXPECT_TRUE(fs.readWhole(path, out)) << path;
    return out;
  }

  Platform::Posix::PosixFileSystem fs;
  std::string mRoot;
};

TEST_F(PosixFileSystemTest, WritesThroughMissingDirectoriesAndReadsBack) {
  const std::string path = mRoot + "save\\slot\\data.sav";
  ASSERT_TRUE(fs.writeWhole(path, "abc", 3));
  EXPECT_TRUE(fs.exists(mRoot + "save/slot"));
  EXPECT_EQ(read(mRoot + "save/slot/data.sav"), (Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(namesIn(mRoot + "save/slot"), std::vector<std::string>{"data.sav"});

  auto file = fs.openRead(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->size(), 3u);
  char c = 0;
  EXPECT_TRUE(file->seek(2) && file->read(&c, 1));
  EXPECT_EQ(c, 'c');
  EXPECT_FALSE(file->read(&c, 1));
  EXPECT_FALSE(fs.openRead(mRoot + "save"));
  EXPECT_FALSE(fs.openRead(mRoot + "none"));
  EXPECT_TRUE(fs.makeDirectories(mRoot + "a/b/c/"));
  EXPECT_TRUE(fs.exists(mRoot + "a/b/c"));
  // A directory cannot be made where a file is.
  EXPECT_FALSE(fs.makeDirectories(mRoot + "save/slot/data.sav/sub"));
  EXPECT_FALSE(fs.openWrite(mRoot + "save/slot/data.sav/sub/x.txt"));
  EXPECT_FALSE(fs.openWrite(mRoot + "dir/"));
}

TEST_F(PosixFileSystemTest, ShiftJisPathsAreConvertedBeforeSeparatorsAreSwapped) {
  // 表 is 95 5C in Shift-JIS: its trail byte is a backslash.
  ASSERT_TRUE(fs.writeWhole(mRoot + "表\\ソ.txt", "x", 1));
  const std::string utf8Dir(reinterpret_cast<const char*>(u8"表"));
  const std::string utf8File(reinterpret_cast<const char*>(u8"ソ.txt"));
  EXPECT_EQ(namesIn(mRoot), std::vector<std::string>{utf8Dir});
  EXPECT_EQ(namesIn(mRoot + utf8Dir), std::vector<std::string>{utf8File});
  EXPECT_EQ(read(mRoot + "表/ソ.txt"), Bytes{'x'});
}

TEST_F(PosixFileSystemTest, AnUnfinishedReplacementLeavesThePreviousFile) {
  const std::string path = mRoot + "config.ini";
  ASSERT_TRUE(fs.writeWhole(path, "old", 3));
  {
    auto file = fs.openWrite(path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->write("new contents", 12));
    EXPECT_EQ(read(path), (Bytes{'o', 'l', 'd'}));
  }
  EXPECT_EQ(read(path), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(namesIn(mRoot), std::vector<std::string>{"config.ini"});

  // The process dies after writing, before the rename.
  EXPECT_EXIT(
      {
        auto file = fs.openWrite(path);
        file->write("partial", 7);
        _exit(3);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(read(path), (Bytes{'o', 'l', 'd'}));

  ASSERT_TRUE(fs.writeWhole(path, "newer", 5));
  EXPECT_EQ(read(path), (Bytes{'n', 'e', 'w', 'e', 'r'}));
}

}  // namespace
