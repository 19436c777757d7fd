// Turns a tile map's text grid into the ".fmf" file the game reads.
//   tilemap <map.grid> <out.fmf>
//
// The grid: "size <width> <height>", "chip <width> <height>" (pixels),
// "bits <8 or 16>", then one "layer <label>" line per layer followed by
// <height> rows of <width> values, the first row first. A value is hex
// ("23": in 8-bit maps row 2, column 3 of the chip set) or '.' for an empty
// cell (255). ';' starts a comment line.
//
// The file (little-endian): "FMF_", the byte count after these 8 bytes,
// width and height (u32), chip width and height, layer count and bits per
// value (one byte each), then the layers row by row.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TileMap {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int chipWidth = 0;
  int chipHeight = 0;
  int bits = 0;
  int layers = 0;
  std::vector<std::uint32_t> values;  // layer after layer, row by row
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  std::cerr << where << ": " << what << '\n';
  std::exit(1);
}

std::uint32_t parseValue(const std::string& token, int bits, const std::string& where) {
  if (token == ".") {
    return 255;
  }
  char* end = nullptr;
  const unsigned long value = std::strtoul(token.c_str(), &end, 16);
  if (*end != '\0' || value >= (1ul << bits)) {
    fail(where, "\"" + token + "\" is not a hex value of " + std::to_string(bits) + " bits");
  }
  return static_cast<std::uint32_t>(value);
}

void readRow(TileMap& map, const std::string& line, const std::string& where) {
  if (map.layers == 0 || map.bits == 0 || map.width == 0) {
    fail(where, "a row before size, bits and layer");
  }
  std::istringstream tokens(line);
  std::string token;
  std::uint32_t count = 0;
  while (tokens >> token) {
    map.values.push_back(parseValue(token, map.bits, where));
    ++count;
  }
  if (count != map.width) {
    fail(where, "a row of " + std::to_string(count) + " values in a map " + std::to_string(map.width) + " wide");
  }
}

TileMap readGrid(const char* path) {
  std::ifstream in(path);
  if (!in) {
    fail(path, "cannot be read");
  }
  TileMap map;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string where = std::string(path) + ":" + std::to_string(number);
    std::istringstream words(line);
    std::string keyword;
    if (!(words >> keyword) || keyword[0] == ';') {
      continue;
    }
    if (keyword == "size") {
      words >> map.width >> map.height;
    } else if (keyword == "chip") {
      words >> map.chipWidth >> map.chipHeight;
    } else if (keyword == "bits") {
      words >> map.bits;
      if (map.bits != 8 && map.bits != 16) {
        fail(where, "bits must be 8 or 16");
      }
    } else if (keyword == "layer") {
      if (map.values.size() != static_cast<std::size_t>(map.layers) * map.width * map.height) {
        fail(where, "the previous layer is not " + std::to_string(map.height) + " rows high");
      }
      ++map.layers;
    } else {
      readRow(map, line, where);
    }
  }
  if (map.layers == 0 || map.values.size() != static_cast<std::size_t>(map.layers) * map.width * map.height) {
    fail(path, "the last layer is not complete");
  }
  return map;
}

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

std::vector<std::uint8_t> encode(const TileMap& map) {
  std::vector<std::uint8_t> out = {'F', 'M', 'F', '_'};
  const std::size_t dataBytes = 12 + map.values.size() * static_cast<std::size_t>(map.bits / 8);
  put(out, static_cast<std::uint32_t>(dataBytes), 4);
  put(out, map.width, 4);
  put(out, map.height, 4);
  put(out, static_cast<std::uint32_t>(map.chipWidth), 1);
  put(out, static_cast<std::uint32_t>(map.chipHeight), 1);
  put(out, static_cast<std::uint32_t>(map.layers), 1);
  put(out, static_cast<std::uint32_t>(map.bits), 1);
  for (std::uint32_t value : map.values) {
    put(out, value, map.bits / 8);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tilemap <map.grid> <out.fmf>\n";
    return 2;
  }
  const std::vector<std::uint8_t> bytes = encode(readGrid(argv[1]));
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    fail(argv[2], "cannot be written");
  }
  return 0;
}
