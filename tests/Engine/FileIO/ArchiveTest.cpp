#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <string>

#include "ArchiveBuilder.h"
#include "FileIO/src/Archive.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::FileIO::Archive;
using Engine::FileIO::SourceStream;
using TestSupport::ArchiveBuilder;
using TestSupport::Bytes;
using TestSupport::setTableU32;

class ArchiveTest : public ::testing::Test {
 protected:
  // The whole load of one name, as the loader does it; nullopt when not found or failed.
  static std::optional<std::string> load(Archive& archive, const char* name) {
    SourceStream stream;
    if (!archive.open(stream, name)) return std::nullopt;
    std::uint64_t stored = 0, expanded = 0;
    archive.size(stream, &stored, &expanded);
    Engine::FileIO::LoadBuffer buffer = archive.allocate(stream);
    const bool ok = buffer.bytes && archive.read(stream, buffer, stored);
    archive.close(stream);
    if (!ok) return std::nullopt;
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

TEST_F(ArchiveTest, DamagedTablesLeaveAnEmptyArchiveAndSayWhy) {
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
  };
  for (const auto& damage : kDamages) {
    SCOPED_TRACE(damage.message);
    Bytes bytes = ArchiveBuilder().addCompressed("a.txt", "some text").addStored("b.txt", "b").build();
    damage.apply(bytes);
    put("bad.arc", bytes);
    Archive archive("bad.arc");
    EXPECT_EQ(archive.entryCount(), 0);
    EXPECT_EQ(load(archive, "a.txt"), std::nullopt);
    EXPECT_EQ(takeDebugText(), damage.message);
  }
}

// Sizes or a position that the archive cannot hold refuse that entry only.
TEST_F(ArchiveTest, ADamagedEntryFailsAloneAndTheOthersAreServed) {
  const struct {
    std::size_t field;
    std::uint32_t value;
    const char* message;
  } kEntryDamages[] = {
      {0, 0x7FFFFFFF, "archive entry is illegal ( wrong data position ): a.txt in bad.arc\n"},
      {4, 0x7FFFFFFF, "archive entry is illegal ( wrong data position ): a.txt in bad.arc\n"},
      {8, 0x7FFFFFFF, "archive entry is illegal ( wrong expanded size ): a.txt in bad.arc\n"},
      {12, 0xFFFFFFFF, "archive entry is illegal ( wrong buffer size ): a.txt in bad.arc\n"},
  };
  for (const auto& damage : kEntryDamages) {
    SCOPED_TRACE(damage.field);
    Bytes bytes = ArchiveBuilder().addCompressed("a.txt", "some text some text").addStored("b.txt", "b").build();
    setTableU32(bytes, 4 + damage.field, damage.value);
    put("bad.arc", bytes);
    Archive archive("bad.arc");
    EXPECT_EQ(archive.entryCount(), 2);
    EXPECT_EQ(takeDebugText(), damage.message);
    SourceStream stream;
    ASSERT_TRUE(archive.open(stream, "a.txt"));
    EXPECT_EQ(archive.allocate(stream).bytes, nullptr) << "never an allocation the archive cannot fill";
    archive.close(stream);
    EXPECT_EQ(load(archive, "b.txt"), "b");
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
