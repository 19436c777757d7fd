#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FileManagerFixture.h"
#include "core/file/FileLoader.h"
#include "core/file/FileReader.h"
#include "core/file/FileSystem.h"
#include "core/file/SaveCodec.h"
#include "core/file/nml/NmlDocument.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using FileTestSupport::FileManagerTest;
using Game::FileLoader;
using Game::FileReader;

using FileReaderTest = FileManagerTest;

TEST_F(FileReaderTest, ReadsBytesAndIntegersOfEitherOrder) {
  fs().put("data/n.bin", Bytes{0x01, 0x02, 0x03, 0xF4});
  FileReader reader;
  reader.open("data/n.bin", true, false, true);
  ASSERT_EQ(reader.size(), 4);
  EXPECT_TRUE(reader.isFinished());
  EXPECT_EQ(reader.data()[4], 0);
  EXPECT_EQ(std::vector<std::uint32_t>(
                {reader.readInt(0, 4, true), reader.readInt(1, 3, false), reader.readInt(2, 4, true)}),
            std::vector<std::uint32_t>({0xF4030201u, 0x0203F4u, 0xF403u}));
  EXPECT_EQ(std::make_pair(reader.byteAt(4), reader.byteAt(-1)), std::make_pair(0, 0));
  // Read without a halt, a missing file is nothing, and is read once it is there, though empty.
  reader.openWithoutHalt("data/none.txt", true);
  EXPECT_EQ(reader.data(), nullptr);
  fs().put("data/none.txt", "");
  reader.openWithoutHalt("data/none.txt", true);
  EXPECT_STREQ(reader.data(), "");
}

TEST_F(FileReaderTest, SavesWrittenPackedReadBackUnpacked) {
  const char* text = "head{version 0;}";
  ASSERT_TRUE(Game::FileSystem::writeFile("savedata/0.sav", text, -1, true));
  EXPECT_NE(fs().contents("savedata/0.sav"), (Bytes(text, text + 16)));
  FileReader reader;
  reader.open("savedata/0.sav", true, true, false);
  ASSERT_EQ(reader.size(), 16);
  EXPECT_EQ(std::string(reader.data()), text);

  // A damaged save reads as nothing, never as its packed bytes.
  Bytes damaged = *fs().contents("savedata/0.sav");
  damaged.back() ^= 0x10;
  fs().put("savedata/1.sav", damaged);
  reader.open("savedata/1.sav", true, true, false);
  EXPECT_EQ(reader.size(), 0);
  EXPECT_EQ(reader.data(), nullptr);
}

TEST_F(FileReaderTest, APayloadThatCouldNotBeReadBackIsNeverWritten) {
  fs().put("savedata/0.sav", "old");
  const std::string huge(Game::SaveCodec::kUnpackedLimit, 'x');
  EXPECT_FALSE(Game::FileSystem::writeFile("savedata/0.sav", huge.data(), static_cast<int>(huge.size()), true));
  EXPECT_EQ(fs().contents("savedata/0.sav"), (Bytes{'o', 'l', 'd'}));
  ASSERT_FALSE(debugLines().empty());
  EXPECT_EQ(debugLines().back(), "FileSystem : too large to save, not written ( savedata/0.sav )\n");
}

// The player's files go into the home folder, one slash between.
TEST(FileSystemHome, PrefixesThePlayersFiles) {
  const char* rows[][3] = {
      {"", "config.ini", "config.ini"},
      {"/tmp/h", "savedata/", "/tmp/h/savedata/"},
      {"/tmp/h/", "config.ini", "/tmp/h/config.ini"},
      {"h", "", "h/"},
  };
  for (const auto& row : rows) {
    Game::FileSystem::setHome(row[0]);
    EXPECT_STREQ(Game::FileSystem::homePath(row[1]).c_str(), row[2]) << row[0];
  }
  Game::FileSystem::setHome("");
}

}  // namespace
