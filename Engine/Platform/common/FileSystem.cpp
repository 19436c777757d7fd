#include "Platform/FileSystem.h"

namespace Platform {

bool FileSystem::readWhole(std::string_view path, std::vector<std::uint8_t>& out, std::uint64_t limit) {
  std::unique_ptr<InputFile> file = openRead(path);
  if (!file) {
    return false;
  }
  const std::uint64_t size = file->size();
  if (size > limit || size > out.max_size()) {
    return false;
  }
  out.resize(static_cast<std::size_t>(size));
  return file->read(out.data(), out.size());
}

bool FileSystem::writeWhole(std::string_view path, const void* data, std::size_t size) {
  std::unique_ptr<OutputFile> file = openWrite(path);
  return file && file->write(data, size) && file->commit();
}

}  // namespace Platform
