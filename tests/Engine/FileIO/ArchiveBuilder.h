#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport {

// Builds data archives in memory, as the program only ever reads them.
class ArchiveBuilder {
 public:
  explicit ArchiveBuilder(std::uint32_t blockSize = 16) : mBlockSize(blockSize) {}

  // Adds an entry under its table name ('\' between directories).
  ArchiveBuilder& addCompressed(const std::string& name, const std::vector<std::uint8_t>& bytes);
  ArchiveBuilder& addCompressed(const std::string& name, const std::string& text);
  ArchiveBuilder& addStored(const std::string& name, const std::vector<std::uint8_t>& bytes);
  ArchiveBuilder& addStored(const std::string& name, const std::string& text);

  std::vector<std::uint8_t> build() const;

 private:
  struct Item {
    std::string name;
    std::vector<std::uint8_t> stored;
    std::uint32_t expandedSize;
    std::uint32_t bufferSize;
  };

  std::uint32_t mBlockSize;
  std::vector<Item> mItems;
};

std::vector<std::uint8_t> bytesOf(const std::string& text);
void putU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void setU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);

}  // namespace TestSupport
