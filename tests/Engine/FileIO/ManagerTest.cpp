#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ArchiveBuilder.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/FileIO/Manager.h"
#include "Engine/FileIO/OutFile.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Engine::FileIO::InFile;
using Engine::FileIO::ManagerImpl;
using Engine::FileIO::ManagerOptions;
using Engine::FileIO::OutFile;
using TestSupport::ArchiveBuilder;

ManagerOptions pumpedByHand(bool abortOnError = false) {
  ManagerOptions options;
  options.startLoader = false;
  options.abortOnError = abortOnError;
  return options;
}

class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs().put("first.arc", ArchiveBuilder().addCompressed("data\\x.txt", "from first archive").build());
    fs().put("second.arc", ArchiveBuilder()
                               .addCompressed("data\\x.txt", "from second archive")
                               .addCompressed("data\\only_archived.txt", "archived")
                               .build());
    fs().put("data/x.txt", "loose x");
    fs().put("data/only_loose.txt", "loose only");
  }
  void TearDown() override {
    if (ManagerImpl::instance()) {
      ManagerImpl::destroy();
    }
  }

  void start(int loadMode, const ManagerOptions& options = pumpedByHand()) {
    const char* names[] = {"first.arc", "second.arc"};
    ManagerImpl::create(names, 2, loadMode, options);
  }
  static void pump() {
    while (ManagerImpl::instance()->serveRound()) {
    }
  }
  static std::string loaded(const char* name) {
    InFile file = InFile::create(name);
    pump();
    EXPECT_TRUE(file.isFinished());
    return file.isError() ? "<error>" : std::string(file.data(), file.size());
  }
  PlatformFake::FakeFileSystem& fs() { return backend->fakeFileSystem; }
  std::vector<std::string>& lines() { return backend->fakeDebugOutput.lines; }
  std::size_t timesOpened(const std::string& name) {
    std::size_t count = 0;
    for (const std::string& opened : fs().openedForReading()) {
      count += opened == name ? 1 : 0;
    }
    return count;
  }

  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(ManagerTest, LoadModesOrderArchivesAndLooseFiles) {
  start(0);
  EXPECT_EQ(ManagerImpl::instance()->sources().size(), 3u);
  EXPECT_EQ(loaded("data/x.txt"), "from first archive");
  EXPECT_EQ(loaded("data/only_loose.txt"), "loose only");
  ManagerImpl::destroy();

  start(1);
  EXPECT_TRUE(ManagerImpl::instance()->sources().front()->isDirect());
  EXPECT_EQ(loaded("data/x.txt"), "loose x");
  EXPECT_EQ(loaded("data\\only_archived.txt"), "archived");
  ManagerImpl::destroy();

  start(2);
  const std::size_t looseOpens = timesOpened("data/only_loose.txt");
  EXPECT_EQ(ManagerImpl::instance()->sources().size(), 2u);
  EXPECT_EQ(loaded("data/x.txt"), "from first archive");
  EXPECT_EQ(loaded("data/only_loose.txt"), "<error>");
  EXPECT_EQ(timesOpened("data/only_loose.txt"), looseOpens);
  EXPECT_EQ(lines().back(), "FileIO : can't open file! ( data/only_loose.txt )\n");
}

TEST_F(ManagerTest, LoadedDataEndsWithZeroAndReadsLittleEndian) {
  fs().put("bin.dat", Bytes{0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF});
  start(1);
  InFile file = InFile::create("bin.dat");
  EXPECT_FALSE(file.isFinished());
  EXPECT_EQ(file.data(), nullptr);
  pump();
  ASSERT_TRUE(file.isFinished());
  EXPECT_FALSE(file.isError());
  ASSERT_EQ(file.size(), 6u);
  EXPECT_EQ(file.data()[6], '\0');
  EXPECT_EQ(file.getInt(0), 0x12345678);
  EXPECT_EQ(file.getUnsignedShort(4), 0xFFFE);
  EXPECT_EQ(file.getShort(4), -2);
  EXPECT_EQ(ManagerImpl::instance()->loadedBytes(), 6);
  file = InFile();
  EXPECT_EQ(ManagerImpl::instance()->loadedBytes(), 0);
}

TEST_F(ManagerTest, AStaleRequestNeverSpoilsALaterLoadOfTheSameName) {
  start(1);
  InFile::create("data/x.txt");           // released at once; its request stays queued
  InFile file = InFile::create("data/x.txt");  // a second request for the same name
  ManagerImpl::instance()->serveRound();
  ASSERT_TRUE(file.isFinished());
  fs().remove("data/x.txt");
  pump();
  EXPECT_FALSE(file.isError());
  EXPECT_EQ(std::string(file.data()), "loose x");
}

TEST_F(ManagerTest, DamagedArchiveEntriesAreReadErrorsOfTheirOwn) {
  Bytes bytes = ArchiveBuilder()
                    .addCompressed("bad.txt", std::string(500, 'b'))
                    .addCompressed("huge.txt", std::string(500, 'h'))
                    .addStored("good.txt", "good")
                    .build();
  bytes[0] ^= 0x08;  // bad.txt's data no longer expands
  // huge.txt claims an expanded size no entry of this archive could have.
  const auto u32At = [&](std::size_t at) {
    return static_cast<std::size_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16);
  };
  const std::size_t table = u32At(bytes.size() - 4) * u32At(bytes.size() - 8);
  const std::size_t hugeEntry = table + 4 + 20 + u32At(table + 4 + 16);
  TestSupport::setU32(bytes, hugeEntry + 8, 0x7FFFFFF0);
  fs().put("first.arc", bytes);
  start(0);
  EXPECT_EQ(loaded("good.txt"), "good");
  EXPECT_EQ(loaded("bad.txt"), "<error>");
  EXPECT_EQ(lines().back(), "FileIO : read error! can't read entire file! ( bad.txt )\n");
  EXPECT_EQ(loaded("huge.txt"), "<error>");
  EXPECT_EQ(lines().back(), "FileIO : read error! can't read entire file! ( huge.txt )\n");
  EXPECT_EQ(loaded("good.txt"), "good");
}

TEST_F(ManagerTest, WritesReplaceFilesInPiecesOfOneMegabyte) {
  start(1);
  const std::vector<char> exact(1048576, 'e');
  OutFile one = OutFile::create("save/one.dat", exact.data(), static_cast<int>(exact.size()));
  EXPECT_FALSE(one.isFinished());
  pump();
  EXPECT_TRUE(one.isFinished() && !one.isError());
  EXPECT_EQ(fs().writePieces(), std::vector<std::size_t>{1048576});
  EXPECT_TRUE(fs().hasDirectory("save"));

  const std::vector<char> more(1048577, 'm');
  OutFile two = OutFile::create("save/two.dat", more.data(), static_cast<int>(more.size()));
  pump();
  EXPECT_EQ(fs().writePieces(), (std::vector<std::size_t>{1048576, 1048576, 1}));
  EXPECT_EQ(fs().contents("save/two.dat")->size(), 1048577u);
}

TEST_F(ManagerTest, AFailedWriteIsReportedAndKeepsTheOldFile) {
  fs().put("config.ini", "old");
  // As the program runs it: read errors would halt, write errors never do.
  start(1, pumpedByHand(true));
  fs().failWritesAfter(2);
  OutFile failed = OutFile::create("config.ini", "new text", 8);
  pump();
  EXPECT_TRUE(failed.isFinished());
  EXPECT_TRUE(failed.isError());
  EXPECT_EQ(lines().back(), "FileIO : write error! can't write entire file! ( config.ini )\n");
  fs().failWritesAfter(SIZE_MAX);
  fs().failCommit(true);
  OutFile notCommitted = OutFile::create("config.ini", "new", 3);
  pump();
  EXPECT_TRUE(notCommitted.isError());
  fs().failOpenWrite(true);
  OutFile notOpened = OutFile::create("config.ini", "new", 3);
  pump();
  EXPECT_TRUE(notOpened.isError());
  EXPECT_EQ(lines().back(), "FileIO : can't open file! ( config.ini )\n");
  EXPECT_EQ(fs().contents("config.ini"), (Bytes{'o', 'l', 'd'}));
}

TEST_F(ManagerTest, ReleasingAnOutFileMidWriteAbandonsItAndKeepsTheOldFile) {
  fs().put("big.dat", "old");
  start(1);
  const std::vector<char> bytes(3 * 1048576, 'n');
  OutFile out = OutFile::create("big.dat", bytes.data(), static_cast<int>(bytes.size()));
  fs().onWrite([&] { out = OutFile(); });
  pump();
  fs().onWrite(nullptr);
  EXPECT_EQ(fs().writePieces().size(), 1u);
  EXPECT_EQ(fs().contents("big.dat"), (Bytes{'o', 'l', 'd'}));
  EXPECT_TRUE(lines().empty());
}

TEST_F(ManagerTest, TheLoaderJobOnTheWorkerPoolServesRequests) {
  Engine::Threading::Manager::create(0);
  ManagerOptions options;
  options.abortOnError = false;
  start(0, options);
  InFile file = InFile::create("data/x.txt");
  OutFile out = OutFile::create("out/a.txt", "abc", 3);
  while (!file.isFinished() || !out.isFinished()) {
    std::this_thread::yield();
  }
  EXPECT_EQ(std::string(file.data()), "from first archive");
  EXPECT_EQ(fs().contents("out/a.txt"), (Bytes{'a', 'b', 'c'}));
  file = InFile();
  out = OutFile();
  ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
}

using ManagerDeathTest = ManagerTest;

TEST_F(ManagerDeathTest, AFileFoundNowhereStopsTheProgram) {
  start(1, pumpedByHand(true));
  EXPECT_EXIT(
      {
        InFile file = InFile::create("none.txt");
        pump();
      },
      ::testing::ExitedWithCode(1), "Critical Error!\n.*FileIO/src/ManagerImpl\\.cpp:[0-9]+ : \"FileIO : can't open file!\"");
}

TEST_F(ManagerDeathTest, FilesLeftAtShutdownStopTheProgram) {
  start(1);
  EXPECT_EXIT(
      {
        static InFile leaked;
        leaked = InFile::create("data/x.txt");
        ManagerImpl::destroy();
      },
      ::testing::ExitedWithCode(1), "FileIO::Manager : you must destroy all files!");
  EXPECT_EXIT(
      {
        Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, pumpedByHand());
      },
      ::testing::ExitedWithCode(1), "!gManagerImpl");
}

}  // namespace
