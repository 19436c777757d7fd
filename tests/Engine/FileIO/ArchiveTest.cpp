#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ArchiveBuilder.h"
#include "Engine/FileIO/Compression.h"
#include "FileIO/src/Archive.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Engine::FileIO::Archive;
using Engine::FileIO::LoadBuffer;
using Engine::FileIO::SourceStream;
using TestSupport::ArchiveBuilder;
using TestSupport::bytesOf;

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
    LoadBuffer buffer = archive.allocate(stream);
    const bool ok = buffer.bytes && archive.read(stream, buffer, stored);
    archive.close(stream);
    if (!ok) {
      return std::nullopt;
    }
    EXPECT_GT(buffer.capacity, expanded);
    return std::string(reinterpret_cast<const char*>(buffer.bytes.get()), expanded);
  }

  std::string debugText() {
    std::string all;
    for (const std::string& line : backend->fakeDebugOutput.lines) {
      all += line;
    }
    return all;
  }

  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(ArchiveTest, EntriesAreFoundWithEitherSeparator) {
  const std::string big(10000, 'q');
  backend->fakeFileSystem.put("data.arc", ArchiveBuilder()
                                              .addCompressed("src\\data\\a.txt", "alpha alpha alpha alpha")
                                              .addCompressed("src\\big.txt", big)
                                              .addStored("b.bin", std::string("\0\1\2", 3))
                                              .addCompressed("ソ\\名前.txt", "kana")
                                              .build());
  Archive archive("data.arc");
  EXPECT_FALSE(archive.isDirect());
  EXPECT_EQ(archive.entryCount(), 4);
  EXPECT_EQ(load(archive, "src/data/a.txt"), "alpha alpha alpha alpha");
  EXPECT_EQ(load(archive, "src\\data\\a.txt"), "alpha alpha alpha alpha");
  EXPECT_EQ(load(archive, "src/big.txt"), big);
  EXPECT_EQ(load(archive, "b.bin"), std::string("\0\1\2", 3));
  EXPECT_EQ(load(archive, "ソ/名前.txt"), "kana");
  EXPECT_EQ(load(archive, "src/data/missing.txt"), std::nullopt);
  EXPECT_EQ(debugText(), "");
}

TEST_F(ArchiveTest, StoredEntryIsReadAsItIsEvenWhenItLooksCompressed) {
  Bytes looksCompressed;
  const Bytes text = bytesOf("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
  Engine::FileIO::compress(looksCompressed, nullptr, text.data(), static_cast<std::uint32_t>(text.size()));
  backend->fakeFileSystem.put("d.arc", ArchiveBuilder().addStored("c.dat", looksCompressed).build());
  Archive archive("d.arc");
  const auto loaded = load(archive, "c.dat");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(Bytes(loaded->begin(), loaded->end()), looksCompressed);
}

TEST_F(ArchiveTest, LooseFilesAreReadWhole) {
  backend->fakeFileSystem.put("src/data/x.txt", "loose");
  Archive loose(nullptr);
  EXPECT_TRUE(loose.isDirect());
  EXPECT_EQ(load(loose, "src\\data\\x.txt"), "loose");
  EXPECT_EQ(load(loose, "src/data/none.txt"), std::nullopt);
}

struct Damage {
  const char* what;
  void (*apply)(Bytes& archive);
  const char* message;
};

void setTableU32(Bytes& a, std::size_t offset, std::uint32_t value) {
  const std::uint32_t blockSize = a[a.size() - 8] | a[a.size() - 7] << 8;
  const std::uint32_t tableBlock = a[a.size() - 4] | a[a.size() - 3] << 8;
  TestSupport::setU32(a, tableBlock * blockSize + offset, value);
}

const Damage kDamages[] = {
    {"too small", [](Bytes& a) { a.resize(7); }, "archive size is illegal ( too small ): bad.arc\n"},
    {"table position overflows", [](Bytes& a) {
       TestSupport::setU32(a, a.size() - 8, 0xFFFFFFFF);
       TestSupport::setU32(a, a.size() - 4, 0xFFFFFFFF);
     }, "archive size is illegal ( wrong table ): bad.arc\n"},
    {"huge count", [](Bytes& a) { setTableU32(a, 0, 0xFFFFFFF0); },
     "archive size is illegal ( wrong file number ): bad.arc\n"},
    {"name length beyond the table", [](Bytes& a) { setTableU32(a, 4 + 16, 0x7FFFFFFF); },
     "archive entry is illegal ( wrong file number ): bad.arc\n"},
};

TEST_F(ArchiveTest, DamagedTablesLeaveAnEmptyArchiveAndSayWhy) {
  for (const Damage& damage : kDamages) {
    Bytes bytes = ArchiveBuilder().addCompressed("a.txt", "some text").addStored("b.txt", "b").build();
    damage.apply(bytes);
    backend->fakeFileSystem.put("bad.arc", bytes);
    backend->fakeDebugOutput.lines.clear();
    Archive archive("bad.arc");
    EXPECT_EQ(archive.entryCount(), 0) << damage.what;
    EXPECT_EQ(load(archive, "a.txt"), std::nullopt) << damage.what;
    EXPECT_EQ(debugText(), damage.message) << damage.what;
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
    Bytes bytes = ArchiveBuilder().addCompressed("a.txt", "some text some text").addStored("b.txt", "b").build();
    setTableU32(bytes, 4 + damage.field, damage.value);
    backend->fakeFileSystem.put("bad.arc", bytes);
    backend->fakeDebugOutput.lines.clear();
    Archive archive("bad.arc");
    EXPECT_EQ(archive.entryCount(), 2) << damage.message;
    EXPECT_EQ(debugText(), damage.message);
    SourceStream stream;
    ASSERT_TRUE(archive.open(stream, "a.txt"));
    EXPECT_EQ(archive.allocate(stream).bytes, nullptr) << "never an allocation the archive cannot fill";
    archive.close(stream);
    EXPECT_EQ(load(archive, "a.txt"), std::nullopt) << damage.message;
    EXPECT_EQ(load(archive, "b.txt"), "b") << damage.message;
  }
}

TEST_F(ArchiveTest, MissingArchiveFindsNothing) {
  Archive archive("none.arc");
  EXPECT_EQ(load(archive, "a.txt"), std::nullopt);
  EXPECT_EQ(debugText(), "can't open archive: none.arc\n");
}

TEST_F(ArchiveTest, OverlongOrUndecodableNamesLeaveOutThatEntryOnly) {
  backend->fakeFileSystem.put("long.arc",
                              ArchiveBuilder().addStored(std::string(1024, 'n'), "x").addStored("k", "kept").build());
  Archive tooLong("long.arc");
  EXPECT_EQ(tooLong.entryCount(), 1);
  EXPECT_EQ(load(tooLong, "k"), "kept");
  EXPECT_EQ(debugText(), "archive entry is illegal ( name too long ): entry 0 of long.arc\n");

  backend->fakeFileSystem.put("fits.arc", ArchiveBuilder().addStored(std::string(1023, 'n'), "x").build());
  EXPECT_EQ(Archive("fits.arc").entryCount(), 1);

  Bytes bytes = ArchiveBuilder().addStored("k", "kept").addStored("name", "x").build();
  const std::size_t nameAt = bytes.size() - 8 - 5;  // the five bytes of the encoded "name"
  bytes[nameAt] ^= 0xFF;                            // its literal run now overruns
  backend->fakeFileSystem.put("bad.arc", bytes);
  backend->fakeDebugOutput.lines.clear();
  Archive badName("bad.arc");
  EXPECT_EQ(badName.entryCount(), 1);
  EXPECT_EQ(load(badName, "k"), "kept");
  EXPECT_EQ(debugText(), "Decompression Failed!\narchive entry is illegal ( wrong name ): entry 1 of bad.arc\n");
}

TEST_F(ArchiveTest, DamagedEntryDataFailsItsReadOnly) {
  const std::string text(3000, 'w');
  Bytes bytes = ArchiveBuilder().addCompressed("w.txt", text).addCompressed("ok.txt", "fine fine fine").build();
  bytes[0] ^= 0x08;  // the first token now reaches before the output
  backend->fakeFileSystem.put("w.arc", bytes);
  Archive archive("w.arc");
  EXPECT_EQ(load(archive, "w.txt"), std::nullopt);
  EXPECT_EQ(debugText(), "Decompression Failed!\n");
  EXPECT_EQ(load(archive, "ok.txt"), "fine fine fine");
}

}  // namespace
