#include "TileMapGrid.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TileMapGrid::Error;
using TileMapGrid::TileMap;

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text without its comment lines, which a file does not keep.
std::string withoutComments(const std::string& text) {
  std::istringstream in(text);
  std::string out;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] != ';') {
      out += line + "\n";
    }
  }
  return out;
}

// Six layers of width x height, each row its values.
std::string grid(int width, int height, int bits, const std::vector<std::string>& layerRows) {
  std::ostringstream out;
  out << "size " << width << ' ' << height << "\nchip 32 32\nbits " << bits << '\n';
  for (int layer = 0; layer < 6; ++layer) {
    out << "\nlayer " << TileMapGrid::kLayerLabels[layer] << '\n' << layerRows[static_cast<std::size_t>(layer)];
  }
  return out.str();
}

// Every sample grid goes to a file and back to the same text (and legends),
// and that file back to the same bytes.
TEST(TileMapGridTest, SampleGridsRoundTrip) {
  int grids = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(MARROWDEEP_SOURCE_DIR "/game")) {
    if (entry.path().extension() != ".grid") {
      continue;
    }
    ++grids;
    const std::string text = fileText(entry.path());
    const TileMap map = TileMapGrid::readGrid(text, entry.path().string());
    const std::vector<std::uint8_t> bytes = TileMapGrid::encode(map);
    TileMap back = TileMapGrid::decode(bytes, "back.fmf");
    back.legends = map.legends;
    const std::string written = TileMapGrid::writeGrid(back);
    EXPECT_EQ(written, withoutComments(text)) << entry.path();
    EXPECT_EQ(TileMapGrid::encode(TileMapGrid::readGrid(written, "written")), bytes) << entry.path();
  }
  EXPECT_GE(grids, 4);
}

// A file of either width of value comes back as the same bytes through its
// grid; 16-bit values are four hex digits.
TEST(TileMapGridTest, FilesRoundTripThroughTheirGridsIn8And16Bits) {
  const std::string rows8 = "00 1f\n .  a\n";
  const std::string rows16 = "0000 ff01\n   . 0203\n";
  for (const auto& [bits, rows] : {std::pair(8, rows8), std::pair(16, rows16)}) {
    const std::string text = grid(2, 2, bits, std::vector<std::string>(6, rows));
    const std::vector<std::uint8_t> bytes = TileMapGrid::encode(TileMapGrid::readGrid(text, "t.grid"));
    ASSERT_EQ(bytes.size(), 20u + 6 * 4 * static_cast<std::size_t>(bits / 8));
    // The byte count after the first 8: 12 of header and the values.
    EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24, 12 + 6 * 4 * bits / 8);
    EXPECT_EQ(bytes[18], 6);
    EXPECT_EQ(bytes[19], bits);
    const TileMap back = TileMapGrid::decode(bytes, "t.fmf");
    const std::string written = TileMapGrid::writeGrid(back);
    EXPECT_EQ(TileMapGrid::encode(TileMapGrid::readGrid(written, "w.grid")), bytes) << bits;
    EXPECT_NE(written.find(bits == 8 ? "\n . 0a\n" : "\n   . 0203\n"), std::string::npos) << written;
  }
  // Values are stored little-endian, rows in order: 0xff01 is 01 ff.
  const TileMap sixteen = TileMapGrid::readGrid(grid(2, 2, 16, std::vector<std::string>(6, rows16)), "t");
  const std::vector<std::uint8_t> bytes = TileMapGrid::encode(sixteen);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 20, bytes.begin() + 28),
            (std::vector<std::uint8_t>{0, 0, 1, 0xff, 255, 0, 3, 2}));
}

// 4096 cells is the widest a file may be; a map made without legends is
// written plainly.
TEST(TileMapGridTest, WideFilesAndMapsWithoutLegends) {
  TileMap map;
  map.width = 4096;
  map.height = 1;
  map.chipWidth = 32;
  map.chipHeight = 32;
  map.bits = 8;
  map.values.assign(6 * 4096, 7);
  const TileMap back = TileMapGrid::decode(TileMapGrid::encode(map), "wide.fmf");
  EXPECT_EQ(back.width, 4096u);
  EXPECT_EQ(back.values, map.values);
  map.width = 2;
  map.values.assign(12, 7);
  EXPECT_NE(TileMapGrid::writeGrid(map).find("layer light\n07 07\n"), std::string::npos);
}

TEST(TileMapGridTest, LegendsDrawALayerAsAPicture) {
  std::vector<std::string> layers(6, " . .\n . .\n");
  layers[0] = "legend # 11\nlegend _ 0\n#_\n.#\n";
  const TileMap map = TileMapGrid::readGrid(grid(2, 2, 8, layers), "p.grid");
  EXPECT_EQ(std::vector<std::uint32_t>(map.values.begin(), map.values.begin() + 4),
            (std::vector<std::uint32_t>{0x11, 0, 255, 0x11}));
  EXPECT_NE(TileMapGrid::writeGrid(map).find("layer chip\nlegend # 11\nlegend _ 00\n#_\n.#\n"), std::string::npos);
}

// Each fault names the line (or the file) and what is wrong.
TEST(TileMapGridTest, FaultsAreNamed) {
  const std::vector<std::string> ok(6, "00\n");
  struct Case {
    std::string text;
    std::string message;
  };
  std::vector<std::string> twoWide = ok;
  twoWide[2] = "00 00\n";
  std::vector<std::string> badLegend = ok;
  badLegend[1] = "legend # 1\n?\n";
  std::vector<std::string> legendLate = ok;
  legendLate[1] = "01\nlegend # 1\n";
  std::string swapped = grid(1, 1, 8, ok);
  swapped.replace(swapped.find("layer slope"), 11, "layer event");
  const Case cases[] = {
      {grid(1, 1, 8, twoWide), "g:12: a row of 2 values in a map 1 wide"},
      {grid(1, 1, 8, badLegend), "g:10: '?' is not in the layer's legend"},
      {grid(1, 1, 8, legendLate), "g:10: a legend is one character and one value"},
      {swapped, "g:8: layer \"event\" where \"slope\" belongs"},
      {grid(1, 1, 8, ok) + "\nlayer extra\n00\n", "g:23: layer \"extra\" where no more belongs"},
      {"size 1 1\nbits 8\nlayer chip\n00\n", "g: not six whole layers"},
      {"size 1 1\nbits 8\nlayer chip\n100\n", "g:4: \"100\" is not a hex value of 8 bits"},
      {"size 1 1\nbits 12\n", "g:2: bits must be 8 or 16"},
      {"00\n", "g:1: a row before size, bits and layer"},
      {"bits 8\nlayer chip\n00\n", "g:3: a row before size, bits and layer"},
      {"size 1 1\nbits 8\nlayer chip\n0g\n", "g:4: \"0g\" is not a hex value of 8 bits"},
      // Before "bits" a legend takes values up to 16 bits.
      {"size 1 1\nlayer chip\nlegend # 10000\n", "g:3: \"10000\" is not a hex value of 16 bits"},
  };
  for (const Case& c : cases) {
    try {
      TileMapGrid::readGrid(c.text, "g");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
  const std::vector<std::uint8_t> good = TileMapGrid::encode(TileMapGrid::readGrid(grid(1, 1, 8, ok), "g"));
  std::vector<std::uint8_t> shortFile(good.begin(), good.end() - 1);
  std::vector<std::uint8_t> fiveLayers = good;
  fiveLayers[18] = 5;
  std::vector<std::uint8_t> notFmf = good;
  notFmf[0] = 'X';
  std::vector<std::uint8_t> lastLetter = good;
  lastLetter[3] = 'X';
  // No cells high: header alone, which its size matches.
  std::vector<std::uint8_t> flat(good.begin(), good.begin() + 20);
  flat[12] = 0;
  // Heights past 4096, the highest byte counted too (0x01000001 is not 1).
  std::vector<std::uint8_t> tall = good;
  tall[15] = 1;
  std::vector<std::uint8_t> tooTall = good;
  tooTall[12] = 0x01;
  tooTall[13] = 0x10;  // 4097
  for (const auto& [bytes, message] : {std::pair(shortFile, "f: its size does not match its header"),
                                       std::pair(fiveLayers, "f: not six layers"),
                                       std::pair(notFmf, "f: not a tile map"),
                                       std::pair(lastLetter, "f: not a tile map"),
                                       std::pair(flat, "f: not six layers of 8 or 16 bits, 1 to 4096 cells a side"),
                                       std::pair(tall, "f: not six layers of 8 or 16 bits, 1 to 4096 cells a side"),
                                       std::pair(tooTall, "f: not six layers of 8 or 16 bits, 1 to 4096 cells a side")}) {
    EXPECT_THROW(
        {
          try {
            TileMapGrid::decode(bytes, "f");
          } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
            throw;
          }
        },
        Error);
  }
}

}  // namespace
