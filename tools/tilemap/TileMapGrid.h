#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A floor's tile map as readable text and as the ".fmf" file the game reads.
//
// The grid: "size <width> <height>", "chip <width> <height>" (pixels),
// "bits <8 or 16>", then the six layers in the order the floors read them
// (chip, slope, height, object, event, light), each a "layer <label>" line,
// optional "legend <character> <value>" lines, and <height> rows, the first
// row first. Without a legend a row is <width> values: hex ("23": in 8-bit
// maps row 2, column 3 of the chip set) or '.' for an empty cell (255).
// With one, a row is <width> characters, each a legend's ('.' is empty
// unless the legend says otherwise), so the floor reads as a picture.
// ';' starts a comment line.
//
// The file (little-endian): "FMF_", the byte count after these 8 bytes,
// width and height (u32), chip width and height, layer count and bits per
// value (one byte each), then the layers row by row.
namespace TileMapGrid {

inline constexpr const char* kLayerLabels[] = {"chip", "slope", "height", "object", "event", "light"};
inline constexpr int kLayerCount = 6;
inline constexpr std::uint32_t kEmpty = 255;

// A fault in a grid or file: where (file and line) and what.
struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using Legend = std::map<char, std::uint32_t>;

struct TileMap {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int chipWidth = 0;
  int chipHeight = 0;
  int bits = 0;
  // Layer after layer, row by row.
  std::vector<std::uint32_t> values;
  // One per layer, empty where the layer has none.
  std::vector<Legend> legends;
};

// where names the text in messages.
TileMap readGrid(const std::string& text, const std::string& where);
std::vector<std::uint8_t> encode(const TileMap& map);
// A file of six layers back into a map (without legends).
TileMap decode(const std::vector<std::uint8_t>& bytes, const std::string& where);
// The grid text: values right-aligned in 2 (8-bit) or 4 (16-bit) columns,
// a blank line before each layer; a layer with a legend is written through it.
std::string writeGrid(const TileMap& map);

}  // namespace TileMapGrid
