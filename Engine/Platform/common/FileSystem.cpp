#include "Platform/FileSystem.h"

#include <limits>

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

namespace {

constexpr std::string_view kTemporaryMark = ".tmp";

// A run of decimal digits; a value past 64 bits reads as the largest.
bool readDigits(std::string_view text, std::uint64_t& value) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    const auto digit = static_cast<std::uint64_t>(c - '0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return !text.empty();
}

// The target and the writer's process id of a temporary name; false for
// any other name.
bool splitTemporaryName(std::string_view name, std::string_view& target, std::uint64_t& processId) {
  const std::size_t underscore = name.rfind('_');
  std::uint64_t serial = 0;
  if (underscore == std::string_view::npos || !readDigits(name.substr(underscore + 1), serial)) {
    return false;
  }
  const std::size_t mark = name.rfind(kTemporaryMark, underscore);
  if (mark == std::string_view::npos) {
    return false;
  }
  const std::size_t digits = mark + kTemporaryMark.size();
  target = name.substr(0, mark);
  return readDigits(name.substr(digits, underscore - digits), processId);
}

}  // namespace

std::string FileSystem::temporaryName(std::string_view target, std::uint64_t processId, std::uint64_t serial) {
  return std::string(target) + std::string(kTemporaryMark) + std::to_string(processId) + "_" + std::to_string(serial);
}

std::vector<std::string> FileSystem::removeAbandonedTemporaries(
    std::string_view directory, const std::function<bool(std::string_view)>& isTarget) {
  std::string folder(directory);
  if (!folder.empty() && folder.back() != '/') {
    folder += '/';
  }
  std::vector<std::string> removed;
  for (const std::string& name : listDirectory(directory)) {
    std::string_view target;
    std::uint64_t processId = 0;
    if (splitTemporaryName(name, target, processId) && isTarget(target) && !isProcessRunning(processId) &&
        removeFile(folder + name)) {
      removed.push_back(name);
    }
  }
  return removed;
}

}  // namespace Platform
