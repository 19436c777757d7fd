#include "MemorySource.h"

#include <algorithm>
#include <cstring>

namespace Platform::Ogg {

std::size_t MemorySource::read(void* destination, std::size_t itemSize, std::size_t itemCount) {
  if (!destination || itemSize == 0) {
    return 0;
  }
  const std::size_t items = std::min(itemCount, (size - position) / itemSize);
  if (items == 0) {
    return 0;  // an empty source may have no bytes at all to copy from
  }
  std::memcpy(destination, data + position, items * itemSize);
  position += items * itemSize;
  return items;
}

int MemorySource::seek(std::int64_t offset, int whence) {
  std::int64_t base = 0;
  switch (whence) {
    case 0:
      break;
    case 1:
      base = static_cast<std::int64_t>(position);
      break;
    case 2:
      base = static_cast<std::int64_t>(size);
      break;
    default:
      return -1;
  }
  const std::int64_t end = static_cast<std::int64_t>(size);
  // Compared before adding, so that no offset can overflow.
  if (offset > end - base) {
    position = size;
    return -1;
  }
  if (offset < -base) {
    position = 0;
    return -1;
  }
  position = static_cast<std::size_t>(base + offset);
  return 0;
}

}  // namespace Platform::Ogg
