#pragma once

#include <cstddef>
#include <cstdint>

namespace Platform::Ogg {

// A file held whole in memory, read through the stdio-like callbacks that
// libvorbisfile asks for. Positions never leave [0, size].
struct MemorySource {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;

  // Whole items of itemSize only; 0 for a null destination or item size.
  std::size_t read(void* destination, std::size_t itemSize, std::size_t itemCount);
  // whence 0 from the start, 1 from the position, 2 from the end. A target
  // outside the file is clamped to it and gives -1, as does another whence.
  int seek(std::int64_t offset, int whence);
  long tell() const { return static_cast<long>(position); }
};

}  // namespace Platform::Ogg
