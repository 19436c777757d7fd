#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace FuzzSupport {

// The input as a loaded text file: its bytes and one zero byte after them.
// An empty input may come as a null pointer, which memcpy must never see.
inline std::vector<char> zeroTerminated(const std::uint8_t* data, std::size_t size) {
  std::vector<char> text(size + 1, '\0');
  if (size != 0) {
    std::memcpy(text.data(), data, size);
  }
  return text;
}

}  // namespace FuzzSupport
