#include "TileMapGrid.h"

#include <cstdlib>
#include <sstream>

namespace TileMapGrid {

namespace {

[[noreturn]] void fail(const std::string& where, const std::string& what) { throw Error(where + ": " + what); }

std::uint32_t parseValue(const std::string& token, int bits, const std::string& where) {
  if (token == ".") {
    return kEmpty;
  }
  char* end = nullptr;
  const unsigned long value = std::strtoul(token.c_str(), &end, 16);
  if (token.empty() || *end != '\0' || value >= (1ul << bits)) {
    fail(where, "\"" + token + "\" is not a hex value of " + std::to_string(bits) + " bits");
  }
  return static_cast<std::uint32_t>(value);
}

struct Reader {
  TileMap map;
  int layers = 0;
  std::size_t rowsInLayer = 0;

  std::size_t expected() const { return static_cast<std::size_t>(layers) * map.width * map.height; }

  void readRow(const std::string& line, const std::string& where) {
    if (layers == 0 || map.bits == 0 || map.width == 0) {
      fail(where, "a row before size, bits and layer");
    }
    const Legend& legend = map.legends.back();
    std::istringstream tokens(line);
    std::uint32_t count = 0;
    if (!legend.empty()) {
      std::string word;
      tokens >> word;
      for (char c : word) {
        const auto found = legend.find(c);
        if (found == legend.end() && c != '.') {
          fail(where, std::string("'") + c + "' is not in the layer's legend");
        }
        map.values.push_back(found == legend.end() ? kEmpty : found->second);
        ++count;
      }
    } else {
      std::string token;
      while (tokens >> token) {
        map.values.push_back(parseValue(token, map.bits, where));
        ++count;
      }
    }
    if (count != map.width) {
      fail(where, "a row of " + std::to_string(count) + " values in a map " + std::to_string(map.width) + " wide");
    }
    ++rowsInLayer;
  }

  void startLayer(std::istringstream& words, const std::string& where) {
    if (map.values.size() != expected()) {
      fail(where, "the previous layer is not " + std::to_string(map.height) + " rows high");
    }
    std::string label;
    words >> label;
    if (layers >= kLayerCount || label != kLayerLabels[layers]) {
      fail(where, "layer \"" + label + "\" where " +
                      (layers < kLayerCount ? "\"" + std::string(kLayerLabels[layers]) + "\"" : "no more") +
                      " belongs (chip, slope, height, object, event, light)");
    }
    ++layers;
    rowsInLayer = 0;
    map.legends.emplace_back();
  }

  void addLegend(std::istringstream& words, const std::string& where) {
    std::string character;
    std::string value;
    if (layers == 0 || rowsInLayer > 0 || !(words >> character >> value) || character.size() != 1) {
      fail(where, "a legend is one character and one value, after its layer line and before its rows");
    }
    map.legends.back()[character[0]] = parseValue(value, map.bits == 0 ? 16 : map.bits, where);
  }
};

}  // namespace

TileMap readGrid(const std::string& text, const std::string& where) {
  Reader reader;
  TileMap& map = reader.map;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string at = where + ":" + std::to_string(number);
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
        fail(at, "bits must be 8 or 16");
      }
    } else if (keyword == "layer") {
      reader.startLayer(words, at);
    } else if (keyword == "legend") {
      reader.addLegend(words, at);
    } else {
      reader.readRow(line, at);
    }
  }
  if (reader.layers != kLayerCount || map.values.size() != reader.expected()) {
    fail(where, "not six whole layers");
  }
  return map;
}

namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

std::uint32_t get(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) {
    value |= static_cast<std::uint32_t>(in[at + static_cast<std::size_t>(i)]) << (8 * i);
  }
  return value;
}

constexpr std::size_t kHeaderSize = 20;

}  // namespace

std::vector<std::uint8_t> encode(const TileMap& map) {
  std::vector<std::uint8_t> out = {'F', 'M', 'F', '_'};
  const std::size_t dataBytes = 12 + map.values.size() * static_cast<std::size_t>(map.bits / 8);
  put(out, static_cast<std::uint32_t>(dataBytes), 4);
  put(out, map.width, 4);
  put(out, map.height, 4);
  put(out, static_cast<std::uint32_t>(map.chipWidth), 1);
  put(out, static_cast<std::uint32_t>(map.chipHeight), 1);
  put(out, static_cast<std::uint32_t>(map.values.size() / (std::size_t{map.width} * map.height)), 1);
  put(out, static_cast<std::uint32_t>(map.bits), 1);
  for (std::uint32_t value : map.values) {
    put(out, value, map.bits / 8);
  }
  return out;
}

TileMap decode(const std::vector<std::uint8_t>& bytes, const std::string& where) {
  if (bytes.size() < kHeaderSize || bytes[0] != 'F' || bytes[1] != 'M' || bytes[2] != 'F' || bytes[3] != '_') {
    fail(where, "not a tile map");
  }
  TileMap map;
  map.width = get(bytes, 8, 4);
  map.height = get(bytes, 12, 4);
  map.chipWidth = bytes[16];
  map.chipHeight = bytes[17];
  map.bits = bytes[19];
  if (bytes[18] != kLayerCount || (map.bits != 8 && map.bits != 16) || map.width < 1 || map.height < 1 ||
      map.width > 4096 || map.height > 4096) {
    fail(where, "not six layers of 8 or 16 bits, 1 to 4096 cells a side");
  }
  const std::size_t count = std::size_t{map.width} * map.height * kLayerCount;
  const int size = map.bits / 8;
  if (bytes.size() != kHeaderSize + count * static_cast<std::size_t>(size)) {
    fail(where, "its size does not match its header");
  }
  for (std::size_t i = 0; i < count; ++i) {
    map.values.push_back(get(bytes, kHeaderSize + i * static_cast<std::size_t>(size), size));
  }
  map.legends.assign(kLayerCount, Legend());
  return map;
}

namespace {

std::string token(std::uint32_t value, int bits) {
  const int width = bits / 4;
  std::string text = ".";
  if (value != kEmpty) {
    std::ostringstream hex;
    hex.width(width);
    hex.fill('0');
    hex << std::hex << value;
    text = hex.str();
  }
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

char legendCharacter(const Legend& legend, std::uint32_t value) {
  for (const auto& [character, meaning] : legend) {
    if (meaning == value) {
      return character;
    }
  }
  if (value == kEmpty) {
    return '.';
  }
  throw Error("value " + std::to_string(value) + " has no character in the layer's legend");
}

}  // namespace

std::string writeGrid(const TileMap& map) {
  std::ostringstream out;
  out << "size " << map.width << ' ' << map.height << "\nchip " << map.chipWidth << ' ' << map.chipHeight
      << "\nbits " << map.bits << '\n';
  std::size_t at = 0;
  for (int layer = 0; layer < kLayerCount; ++layer) {
    const Legend& legend = static_cast<std::size_t>(layer) < map.legends.size() ? map.legends[layer] : Legend();
    out << "\nlayer " << kLayerLabels[layer] << '\n';
    for (const auto& [character, value] : legend) {
      out << "legend " << character << ' ' << token(value, map.bits).substr(token(value, map.bits).find_first_not_of(' '))
          << '\n';
    }
    for (std::uint32_t y = 0; y < map.height; ++y) {
      for (std::uint32_t x = 0; x < map.width; ++x, ++at) {
        if (!legend.empty()) {
          out << legendCharacter(legend, map.values[at]);
        } else {
          out << (x > 0 ? " " : "") << token(map.values[at], map.bits);
        }
      }
      out << '\n';
    }
  }
  return out.str();
}

}  // namespace TileMapGrid
