#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "FileManagerFixture.h"
#include "core/file/TileMapFile.h"
#include "core/file/TileMapView.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Game::TileMapFile;
using Game::TileMapView;

void putU32(Bytes& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

// A header for width x height cells of bits each, followed by cells (each a
// value of bits / 8 bytes, little-endian).
Bytes tileMap(std::uint32_t width, std::uint32_t height, int bits, const std::vector<int>& cells) {
  Bytes out(20, 0);
  putU32(out, 8, width);
  putU32(out, 12, height);
  out[16] = 32;
  out[17] = 24;
  out[19] = static_cast<std::uint8_t>(bits);
  for (int value : cells) {
    out.push_back(static_cast<std::uint8_t>(value));
    if (bits == 16) {
      out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
  }
  return out;
}

TEST(TileMapViewTest, ChipsReadAsRowAndColumn) {
  // Two layers of 2 x 2: layer 1, row 1, column 0 holds 0x23.
  const Bytes file = tileMap(2, 2, 8, {0, 1, 2, 3, 255, 4, 0x23, 6});
  TileMapView map;
  ASSERT_EQ(map.read(file.data(), static_cast<int>(file.size()), 2), nullptr);
  // 0x23 is row 2, column 3: index 19.
  EXPECT_EQ(std::vector<int>({map.chipWidth(), map.chipHeight(), map.chip(1, 0, 1), map.chipIndex(1, 0, 1),
                              map.chip(1, 0, 0), map.chipIndex(1, 0, 0), map.chip(0, 1, 1)}),
            std::vector<int>({32, 24, 0x203, 19, 255, -1, 3}));
  for (auto [layer, x, y] : {std::tuple{2, 0, 0}, {-1, 0, 0}, {0, 2, 0}, {0, 0, 2}, {0, -1, 0}, {0, 0, -1}}) {
    EXPECT_EQ(map.chip(layer, x, y), TileMapView::kEmpty) << layer << " " << x << " " << y;  // outside the map
  }

  const Bytes wide = tileMap(3, 1, 16, {0x0102, 0x00FF, 0x0A07});
  ASSERT_EQ(map.read(wide.data(), static_cast<int>(wide.size()), 1), nullptr);
  EXPECT_EQ(map.chip(0, 0, 0), 0x0102);
  EXPECT_EQ(map.chipIndex(0, 1, 0), -1);
  EXPECT_EQ(map.chipIndex(0, 2, 0), 7 + 10 * 8);
}

TEST(TileMapViewTest, DamagedHeadersAreRefusedWithTheReason) {
  TileMapView map;
  Bytes file = tileMap(2, 2, 16, {1, 2, 3, 4});
  EXPECT_STREQ(map.read(file.data(), 19, 1), "shorter than its header");
  EXPECT_STREQ(map.read(file.data(), static_cast<int>(file.size()) - 1, 1), "shorter than its layers");
  file[19] = 12;
  EXPECT_STREQ(map.read(file.data(), static_cast<int>(file.size()), 1), "bits per chip are neither 8 nor 16");
  for (auto [width, height] : {std::pair{0u, 2u}, {2u, 0u}, {4097u, 1u}, {0x40000000u, 0x40000000u}}) {
    Bytes bad = tileMap(width, height, 8, {});
    bad.resize(1 << 16);
    EXPECT_STREQ(map.read(bad.data(), static_cast<int>(bad.size()), 6), "width or height out of range (1 to 4096)");
  }
  EXPECT_FALSE(map.isValid());
  EXPECT_EQ(map.chip(0, 0, 0), TileMapView::kEmpty);
}

using TileMapFileTest = FileTestSupport::FileManagerTest;

TEST_F(TileMapFileTest, LoadsNamePlusFmfAndReportsADamagedFile) {
  fs().put("src/data/map/a/b.fmf", tileMap(2, 1, 8, {0x11, 0x23}));
  TileMapFile map;
  ASSERT_TRUE(map.load("src/data/map/a/b", 1));
  EXPECT_EQ(map.width(), 2);
  EXPECT_EQ(map.chipIndex(0, 1, 0), 19);

  fs().put("src/data/map/a/c.fmf", tileMap(2, 1, 8, {0x11}));
  EXPECT_FALSE(map.load("src/data/map/a/c", 1));
  EXPECT_EQ(debugLines().back(), "TileMapFile : shorter than its layers ( src/data/map/a/c.fmf )\n");
  EXPECT_EQ(map.chip(0, 0, 0), TileMapView::kEmpty);

  ASSERT_TRUE(map.load("src/data/map/a/b", 1));
  map.release();
  EXPECT_EQ(map.chip(0, 0, 0), TileMapView::kEmpty);
}

TEST_F(TileMapFileTest, TheSampleHallReads) {
  std::ifstream in(std::string(MARROWDEEP_GAME_DIR) + "/src/data/map/opening/hall.fmf", std::ios::binary);
  ASSERT_TRUE(in);
  fs().put("src/data/map/opening/hall.fmf", Bytes(std::istreambuf_iterator<char>(in), {}));
  TileMapFile map;
  EXPECT_TRUE(map.load("src/data/map/opening/hall", 6));
}

}  // namespace
