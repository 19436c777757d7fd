#pragma once

// The build's Shift-JIS copy of a sample data file, for harnesses that put
// the sample game on the fakes.

#include <fstream>
#include <string>

namespace FuzzSupport {

// The file's bytes; empty when missing.
inline std::string sampleFile(const char* path) {
  std::ifstream in(std::string(MARROWDEEP_GAME_DIR) + "/" + path, std::ios::binary | std::ios::ate);
  if (!in) {
    return {};
  }
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

}  // namespace FuzzSupport
