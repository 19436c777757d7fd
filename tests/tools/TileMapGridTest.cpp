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
using Bytes = std::vector<std::uint8_t>;

// What the call throws, or "" when it throws nothing.
template <class Call>
std::string faultOf(const Call& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

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
    const Bytes bytes = TileMapGrid::encode(map);
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
    const Bytes bytes = TileMapGrid::encode(TileMapGrid::readGrid(text, "t.grid"));
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
  const Bytes bytes = TileMapGrid::encode(TileMapGrid::readGrid(grid(2, 2, 16, std::vector(6, rows16)), "t"));
  EXPECT_EQ(Bytes(bytes.begin() + 20, bytes.begin() + 28), (Bytes{0, 0, 1, 0xff, 255, 0, 3, 2}));
}

// 4096 cells is the widest a file may be; a map made without legends is
// written plainly.
TEST(TileMapGridTest, WideFilesAndMapsWithoutLegends) {
  TileMap map{.width = 4096, .height = 1, .chipWidth = 32, .chipHeight = 32, .bits = 8, .values = {}, .legends = {}};
  map.values.assign(6 * 4096, 7);
  const TileMap back = TileMapGrid::decode(TileMapGrid::encode(map), "wide.fmf");
  EXPECT_EQ(back.width, 4096u);
  EXPECT_EQ(back.values, map.values);
  map.width = 2;
  map.values.assign(12, 7);
  EXPECT_NE(TileMapGrid::writeGrid(map).find("layer light\n07 07\n"), std::string::npos);
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
    EXPECT_NE(faultOf([&] { TileMapGrid::readGrid(c.text, "g"); }).find(c.message), std::string::npos) << c.message;
  }
  const Bytes good = TileMapGrid::encode(TileMapGrid::readGrid(grid(1, 1, 8, ok), "g"));
  constexpr const char* kSides = "f: not six layers of 8 or 16 bits, 1 to 4096 cells a side";
  const struct {
    void (*damage)(Bytes& file);
    const char* message;
  } kDamaged[] = {
      {[](Bytes& b) { b.pop_back(); }, "f: its size does not match its header"},
      {[](Bytes& b) { b[18] = 5; }, "f: not six layers"},
      {[](Bytes& b) { b[0] = 'X'; }, "f: not a tile map"},
      {[](Bytes& b) { b[2] = 'X'; }, "f: not a tile map"},
      {[](Bytes& b) { b[3] = 'X'; }, "f: not a tile map"},
      // No cells high: header alone, which its size matches.
      {[](Bytes& b) {
         b.resize(20);
         b[12] = 0;
       }, kSides},
      // Heights past 4096, the highest byte counted too (0x01000001 is not 1).
      {[](Bytes& b) { b[15] = 1; }, kSides},
      {[](Bytes& b) {
         b[12] = 0x01;
         b[13] = 0x10;  // 4097
       }, kSides},
  };
  for (const auto& [damage, message] : kDamaged) {
    Bytes bytes = good;
    damage(bytes);
    EXPECT_NE(faultOf([&] { TileMapGrid::decode(bytes, "f"); }).find(message), std::string::npos) << message;
  }
}

}  // namespace
