#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ArchiveBuilder.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/FileIO/OutFile.h"
#include "FileIO/src/Archive.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::FileIO::InFile;
using Engine::FileIO::ManagerImpl;
using Engine::FileIO::ManagerOptions;
using Engine::FileIO::OutFile;
using TestSupport::ArchiveBuilder;
using TestSupport::Bytes;
using TestSupport::pumpedByHand;
using TestSupport::pumpFiles;

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
  void TearDown() override { if (ManagerImpl::instance()) ManagerImpl::destroy(); }

  void start(int loadMode, const ManagerOptions& options = pumpedByHand()) {
    const char* names[] = {"first.arc", "second.arc"};
    ManagerImpl::create(names, 2, loadMode, options);
  }
  static std::string loaded(const char* name) {
    InFile file = InFile::create(name);
    pumpFiles();
    EXPECT_TRUE(file.isFinished());
    return file.isError() ? "<error>" : std::string(file.data(), file.size());
  }
  // Writes through the manager; whether the write failed.
  static bool writeFails(const char* name, const std::string& text) {
    OutFile file = OutFile::create(name, text.data(), static_cast<int>(text.size()));
    pumpFiles();
    EXPECT_TRUE(file.isFinished());
    return file.isError();
  }
  PlatformFake::FakeFileSystem& fs() { return backend->fakeFileSystem; }
  const std::string& lastLine() { return backend->fakeDebugOutput.lines.back(); }

  PlatformFake::ScopedFakeBackend backend;
};

// Per load mode: the sources (and whether the first reads loose files), what three names load as, and how
// often the loose-only file was opened.
TEST_F(ManagerTest, LoadModesOrderArchivesAndLooseFiles) {
  const std::pair<int, const char*> kModes[] = {
      {0, "3: from first archive / loose only / archived / opened 1"},
      {1, "3 direct: loose x / loose only / archived / opened 1"},
      {2, "2: from first archive / <error> / archived / opened 0"},
  };
  for (const auto& [mode, seen] : kModes) {
    start(mode);
    const auto& sources = ManagerImpl::instance()->sources();
    const auto opensBefore = std::ranges::count(fs().openedForReading(), "data/only_loose.txt");
    std::string line = std::to_string(sources.size()) + (sources.front()->isDirect() ? " direct: " : ": ");
    line += loaded("data/x.txt") + " / " + loaded("data/only_loose.txt") + " / " + loaded("data\\only_archived.txt");
    const auto opens = std::ranges::count(fs().openedForReading(), "data/only_loose.txt") - opensBefore;
    EXPECT_EQ(line + " / opened " + std::to_string(opens), seen);
    ManagerImpl::destroy();
  }
  EXPECT_EQ(lastLine(), "FileIO : can't open file! ( data/only_loose.txt )\n");
}

TEST_F(ManagerTest, LoadedDataEndsWithZeroAndReadsLittleEndian) {
  fs().put("bin.dat", Bytes{0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF});
  start(1);
  InFile file = InFile::create("bin.dat");
  EXPECT_TRUE(file.data() == nullptr && ManagerImpl::instance()->isReading());
  pumpFiles();
  ASSERT_TRUE(file.isFinished() && !file.isError() && !ManagerImpl::instance()->isReading());
  ASSERT_EQ(file.size(), 6u);
  const auto bytes = ManagerImpl::instance()->loadedBytes();
  EXPECT_EQ(std::tuple(file.data()[6], file.getInt(0), file.getShort(4), bytes), std::tuple('\0', 0x12345678, -2, 6));
  file = InFile();
  EXPECT_EQ(ManagerImpl::instance()->loadedBytes(), 0);
}

TEST_F(ManagerTest, AStaleRequestNeverSpoilsALaterLoadOfTheSameName) {
  start(1);
  InFile::create("data/x.txt");                // released at once; its request stays queued
  InFile file = InFile::create("data/x.txt");  // a second request for the same name
  ManagerImpl::instance()->serveRound();
  ASSERT_TRUE(file.isFinished());
  fs().remove("data/x.txt");
  pumpFiles();
  EXPECT_FALSE(file.isError());
  EXPECT_EQ(std::string(file.data()), "loose x");
}

// One entry's data no longer expands; the other claims an expanded size no
// entry of its archive could have, so it gets no buffer at all.
TEST_F(ManagerTest, DamagedArchiveEntriesAreReadErrorsOfTheirOwn) {
  Bytes bad = ArchiveBuilder().addCompressed("bad.txt", std::string(500, 'b')).addStored("good.txt", "good").build();
  bad[0] ^= 0x08;
  Bytes huge = ArchiveBuilder().addCompressed("huge.txt", std::string(500, 'h')).build();
  TestSupport::setTableU32(huge, 4 + 8, 0x7FFFFFF0);
  fs().put("first.arc", bad);
  fs().put("second.arc", huge);
  start(0);
  EXPECT_EQ(loaded("bad.txt"), "<error>");
  EXPECT_EQ(lastLine(), "FileIO : read error! can't read entire file! ( bad.txt )\n");
  EXPECT_EQ(loaded("huge.txt"), "<error>");
  EXPECT_EQ(lastLine(), "FileIO : read error! can't read entire file! ( huge.txt )\n");
  EXPECT_EQ(loaded("good.txt"), "good");
}

TEST_F(ManagerTest, WritesReplaceFilesInPiecesOfOneMegabyte) {
  start(1);
  EXPECT_FALSE(writeFails("save/one.dat", std::string(1048576, 'e')));
  EXPECT_TRUE(fs().hasDirectory("save"));
  EXPECT_FALSE(writeFails("save/two.dat", std::string(1048577, 'm')));
  EXPECT_EQ(fs().writePieces(), (std::vector<std::size_t>{1048576, 1048576, 1}));
  EXPECT_EQ(fs().contents("save/two.dat")->size(), 1048577u);
  // An empty file needs no bytes to write from; releasing a copy of its handle leaves the write to the other.
  OutFile empty = OutFile::create("save/empty.dat", nullptr, 0);
  static_cast<void>(OutFile(empty));  // a copy made and released at once
  pumpFiles();
  EXPECT_TRUE(empty.isFinished() && !empty.isError());
  EXPECT_EQ(fs().contents("save/empty.dat"), Bytes{});
}

TEST_F(ManagerTest, AFailedWriteIsReportedAndKeepsTheOldFile) {
  fs().put("config.ini", "old");
  start(1, pumpedByHand(true));  // as the program runs: read errors would halt, write errors never do
  fs().failWritesAfter(2);
  EXPECT_TRUE(writeFails("config.ini", "new text"));
  EXPECT_EQ(lastLine(), "FileIO : write error! can't write entire file! ( config.ini )\n");
  fs().failWritesAfter(SIZE_MAX);
  fs().failCommit(true);
  EXPECT_TRUE(writeFails("config.ini", "new"));
  fs().failOpenWrite(true);
  EXPECT_TRUE(writeFails("config.ini", "new"));
  EXPECT_EQ(lastLine(), "FileIO : can't open file! ( config.ini )\n");
  EXPECT_EQ(fs().contents("config.ini"), (Bytes{'o', 'l', 'd'}));
}

TEST_F(ManagerTest, ReleasingAnOutFileMidWriteAbandonsItAndKeepsTheOldFile) {
  fs().put("big.dat", "old");
  start(1);
  const std::vector<char> bytes(3 * 1048576, 'n');
  OutFile out = OutFile::create("big.dat", bytes.data(), static_cast<int>(bytes.size()));
  fs().onWrite([&] { out = OutFile(); });
  pumpFiles();
  fs().onWrite(nullptr);
  EXPECT_EQ(fs().writePieces().size(), 1u);
  EXPECT_EQ(fs().contents("big.dat"), (Bytes{'o', 'l', 'd'}));
  EXPECT_TRUE(backend->fakeDebugOutput.lines.empty());
  // A write nobody waits for (a screenshot) may still be queued when the manager goes.
  ManagerImpl::instance()->writeDetached("late.dat", "x", 1);
  ManagerImpl::destroy();
}

// Where load errors halt, a read any handle asked for without a halt fails with its flag and line (missing, a
// FIFO, a failed read, over the limit; 7 bytes are within 7), also when served once every handle is gone.
TEST_F(ManagerTest, AReadWithoutHaltFailsWithItsFlagWhereErrorsHalt) {
  start(1, {.abortOnError = true, .warningLimit = 7, .errorLimit = 7, .startLoader = false});
  fs().putUnopenable("data/fifo.txt");
  fs().failReads("data/x.txt");
  static_cast<void>(InFile::createWithoutHalt("gone.txt"));
  for (const char* name : {"none.txt", "data/fifo.txt", "data/x.txt", "data/only_loose.txt"}) {
    InFile first = InFile::create(name), file = InFile::createWithoutHalt(name), last = InFile::create(name);
    pumpFiles();
    EXPECT_TRUE(first.isError() && file.isError() && last.isError()) << name;
  }
  EXPECT_EQ(backend->fakeDebugOutput.lines.size(), 5u);
  EXPECT_EQ(backend->fakeDebugOutput.lines[3], "FileIO : read error! can't read entire file! ( data/x.txt )\n");
}

using ManagerDeathTest = ManagerTest;

TEST_F(ManagerDeathTest, AFileFoundNowhereOrLeftAtShutdownOrASecondManagerStopsTheProgram) {
  start(1, pumpedByHand(true));
  EXPECT_EXIT(loaded("none.txt"), ::testing::ExitedWithCode(1),
              "Critical Error!\n.*FileIO/src/ManagerImpl\\.cpp:[0-9]+ : \"FileIO : can't open file!\"");
  EXPECT_EXIT(
      {
        static InFile leaked;
        leaked = InFile::create("data/x.txt");
        ManagerImpl::destroy();
      },
      ::testing::ExitedWithCode(1), "FileIO::Manager : you must destroy all files!");
  EXPECT_EXIT(ManagerImpl::create(nullptr, 0, 1, pumpedByHand()), ::testing::ExitedWithCode(1), "!gManagerImpl");
}

using Engine::FileIO::Archive;
using Engine::FileIO::SourceStream;
using TestSupport::setTableU32;

class ArchiveTest : public ::testing::Test {
 protected:
  // The whole load of one name, as the loader does it; nullopt when not found or failed.
  static std::optional<std::string> load(Archive& archive, const char* name) {
    SourceStream stream;
    if (!archive.open(stream, name)) {
      return std::nullopt;
    }
    std::uint64_t stored = 0;
    std::uint64_t expanded = 0;
    archive.size(stream, &stored, &expanded);
    Engine::FileIO::LoadBuffer buffer = archive.allocate(stream);
    const bool ok = buffer.bytes && archive.read(stream, buffer, stored);
    archive.close(stream);
    if (!ok) {
      return std::nullopt;
    }
    EXPECT_GT(buffer.capacity, expanded);
    return std::string(reinterpret_cast<const char*>(buffer.bytes.get()), expanded);
  }
  // The debug output so far, which it then forgets.
  std::string takeDebugText() {
    auto& lines = backend->fakeDebugOutput.lines;
    const std::string all = std::accumulate(lines.begin(), lines.end(), std::string());
    lines.clear();
    return all;
  }
  void put(const char* name, const Bytes& bytes) { backend->fakeFileSystem.put(name, bytes); }

  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(ArchiveTest, EntriesAreFoundWithEitherSeparator) {
  const std::string big(10000, 'q');
  Bytes looksCompressed;  // stored as it is: never expanded, though it would expand
  const Bytes text = TestSupport::bytesOf(std::string(42, 'x'));
  Engine::FileIO::compress(looksCompressed, nullptr, text.data(), static_cast<std::uint32_t>(text.size()));
  put("data.arc", ArchiveBuilder()
                      .addCompressed("src\\data\\a.txt", "alpha alpha alpha alpha")
                      .addCompressed("src\\big.txt", big)
                      .addStored("b.bin", std::string("\0\1\2", 3))
                      .addCompressed("ソ\\名前.txt", "kana")
                      .addStored("c.dat", looksCompressed)
                      .build());
  Archive archive("data.arc");
  EXPECT_EQ(load(archive, "src/data/a.txt"), "alpha alpha alpha alpha");
  EXPECT_EQ(load(archive, "src\\data\\a.txt"), "alpha alpha alpha alpha");
  EXPECT_EQ(load(archive, "src/big.txt"), big);
  EXPECT_EQ(load(archive, "b.bin"), std::string("\0\1\2", 3));
  EXPECT_EQ(load(archive, "ソ/名前.txt"), "kana");
  EXPECT_EQ(load(archive, "c.dat"), std::string(looksCompressed.begin(), looksCompressed.end()));
  EXPECT_EQ(load(archive, "src/data/missing.txt"), std::nullopt);
  EXPECT_EQ(takeDebugText(), "");
}

TEST_F(ArchiveTest, LooseFilesAreReadWholeAndAMissingArchiveFindsNothing) {
  backend->fakeFileSystem.put("src/data/x.txt", "loose");
  Archive loose(nullptr);
  EXPECT_TRUE(loose.isDirect());
  EXPECT_EQ(load(loose, "src\\data\\x.txt"), "loose");
  EXPECT_EQ(load(loose, "src/data/none.txt"), std::nullopt);

  Archive missing("none.arc");
  EXPECT_EQ(load(missing, "a.txt"), std::nullopt);
  EXPECT_EQ(takeDebugText(), "can't open archive: none.arc\n");
}

// A damaged table leaves the archive empty. Sizes or a position that the archive cannot hold refuse that
// entry only (its message names it): it gets no buffer the archive could not fill, and the other is served.
TEST_F(ArchiveTest, DamagedTablesOrEntriesAreRefusedAndSayWhy) {
  const struct {
    void (*apply)(Bytes& archive);
    const char* message;
  } kDamages[] = {
      {[](Bytes& a) { a.resize(7); }, "archive size is illegal ( too small ): bad.arc\n"},
      {[](Bytes& a) {
         TestSupport::setU32(a, a.size() - 8, 0xFFFFFFFF);
         TestSupport::setU32(a, a.size() - 4, 0xFFFFFFFF);
       }, "archive size is illegal ( wrong table ): bad.arc\n"},
      {[](Bytes& a) { setTableU32(a, 0, 0xFFFFFFF0); }, "archive size is illegal ( wrong file number ): bad.arc\n"},
      // A name length reaching beyond the table.
      {[](Bytes& a) { setTableU32(a, 4 + 16, 0x7FFFFFFF); }, "archive entry is illegal ( wrong file number ): bad.arc\n"},
      {[](Bytes& a) { setTableU32(a, 4 + 0, 0x7FFFFFFF); }, "( wrong data position ): a.txt in bad.arc\n"},
      {[](Bytes& a) { setTableU32(a, 4 + 4, 0x7FFFFFFF); }, "( wrong data position ): a.txt in bad.arc\n"},
      {[](Bytes& a) { setTableU32(a, 4 + 8, 0x7FFFFFFF); }, "( wrong expanded size ): a.txt in bad.arc\n"},
      {[](Bytes& a) { setTableU32(a, 4 + 12, 0xFFFFFFFF); }, "( wrong buffer size ): a.txt in bad.arc\n"},
  };
  for (const auto& damage : kDamages) {
    SCOPED_TRACE(damage.message);
    Bytes bytes = ArchiveBuilder().addCompressed("a.txt", "some text some text").addStored("b.txt", "b").build();
    damage.apply(bytes);
    put("bad.arc", bytes);
    Archive archive("bad.arc");
    const std::string message = damage.message;
    const bool entryOnly = message.ends_with("a.txt in bad.arc\n");
    EXPECT_EQ(takeDebugText(), (entryOnly ? "archive entry is illegal " : "") + message);
    EXPECT_EQ(archive.entryCount(), entryOnly ? 2 : 0);
    SourceStream stream;
    EXPECT_EQ(archive.open(stream, "a.txt") && archive.allocate(stream).bytes == nullptr, entryOnly);
    archive.close(stream);
    EXPECT_EQ(load(archive, "b.txt"), entryOnly ? std::optional<std::string>("b") : std::nullopt);
  }
}

TEST_F(ArchiveTest, OverlongOrUndecodableNamesLeaveOutThatEntryOnly) {
  put("long.arc", ArchiveBuilder().addStored(std::string(1024, 'n'), "x").addStored("k", "kept").build());
  Archive tooLong("long.arc");
  EXPECT_EQ(tooLong.entryCount(), 1);
  EXPECT_EQ(load(tooLong, "k"), "kept");
  EXPECT_EQ(takeDebugText(), "archive entry is illegal ( name too long ): entry 0 of long.arc\n");

  put("fits.arc", ArchiveBuilder().addStored(std::string(1023, 'n'), "x").build());
  EXPECT_EQ(Archive("fits.arc").entryCount(), 1);

  Bytes bytes = ArchiveBuilder().addStored("k", "kept").addStored("name", "x").build();
  bytes[bytes.size() - 8 - 5] ^= 0xFF;  // the encoded "name"'s literal run now overruns
  put("bad.arc", bytes);
  Archive badName("bad.arc");
  EXPECT_EQ(badName.entryCount(), 1);
  EXPECT_EQ(load(badName, "k"), "kept");
  EXPECT_EQ(takeDebugText(), "Decompression Failed!\narchive entry is illegal ( wrong name ): entry 1 of bad.arc\n");
}

}  // namespace
