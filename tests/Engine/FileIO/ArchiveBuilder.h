#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Engine/FileIO/Compression.h"
#include "FileIO/src/ManagerImpl.h"

namespace TestSupport {

// File manager options for a test that serves the requests itself, with pumpFiles().
inline Engine::FileIO::ManagerOptions pumpedByHand(bool abortOnError = false) {
  Engine::FileIO::ManagerOptions options;
  options.startLoader = false;
  options.abortOnError = abortOnError;
  return options;
}

inline void pumpFiles() {
  while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
  }
}

// The file manager on loose files, pumped by hand, for its holder's life.
struct LooseFiles {
  LooseFiles() { Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, pumpedByHand()); }
  ~LooseFiles() { Engine::FileIO::ManagerImpl::destroy(); }
  LooseFiles(const LooseFiles&) = delete;
  LooseFiles& operator=(const LooseFiles&) = delete;
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

inline void setU32(Bytes& out, std::size_t at, std::uint32_t value) {
  for (std::size_t k = 0; k < 4; ++k) {
    out[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
  }
}

inline void putU32(Bytes& out, std::uint32_t value) {
  out.resize(out.size() + 4);
  setU32(out, out.size() - 4, value);
}

// Overwrites a field of a built archive's table, at an offset from the table's start.
inline void setTableU32(Bytes& a, std::size_t offset, std::uint32_t value) {
  const std::uint32_t blockSize = a[a.size() - 8] | a[a.size() - 7] << 8;
  const std::uint32_t tableBlock = a[a.size() - 4] | a[a.size() - 3] << 8;
  setU32(a, tableBlock * blockSize + offset, value);
}

// Builds data archives in memory, as the program only ever reads them.
// Entries are added under their table names ('\' between directories).
class ArchiveBuilder {
 public:
  explicit ArchiveBuilder(std::uint32_t blockSize = 16) : mBlockSize(blockSize) {}

  // Stored plain when the compressed form is not smaller: the reader takes
  // equal sizes for a plain entry.
  ArchiveBuilder& addCompressed(const std::string& name, const std::string& text) {
    const Bytes bytes = bytesOf(text);
    Item item{name, {}, static_cast<std::uint32_t>(bytes.size()), 0};
    Engine::FileIO::compress(item.stored, &item.bufferSize, bytes.data(), item.expandedSize);
    if (item.stored.size() >= bytes.size()) {
      return addStored(name, bytes);
    }
    mItems.push_back(std::move(item));
    return *this;
  }
  ArchiveBuilder& addStored(const std::string& name, const Bytes& bytes) {
    const auto size = static_cast<std::uint32_t>(bytes.size());
    mItems.push_back({name, bytes, size, size});
    return *this;
  }
  ArchiveBuilder& addStored(const std::string& name, const std::string& text) { return addStored(name, bytesOf(text)); }

  // Entry data block-aligned, then the table, then block size and table block.
  Bytes build() const {
    Bytes out;
    const auto padToBlock = [&] { out.resize((out.size() + mBlockSize - 1) / mBlockSize * mBlockSize); };
    std::vector<std::uint32_t> blocks;
    for (const Item& item : mItems) {
      padToBlock();
      blocks.push_back(static_cast<std::uint32_t>(out.size() / mBlockSize));
      out.insert(out.end(), item.stored.begin(), item.stored.end());
    }
    padToBlock();
    const auto tableBlock = static_cast<std::uint32_t>(out.size() / mBlockSize);
    putU32(out, static_cast<std::uint32_t>(mItems.size()));
    for (std::size_t i = 0; i < mItems.size(); ++i) {
      const Item& item = mItems[i];
      Bytes name;
      Engine::FileIO::compress(name, nullptr, reinterpret_cast<const std::uint8_t*>(item.name.data()),
                               static_cast<std::uint32_t>(item.name.size()));
      for (const std::uint32_t field : {blocks[i], static_cast<std::uint32_t>(item.stored.size()), item.expandedSize,
                                        item.bufferSize, static_cast<std::uint32_t>(name.size())}) {
        putU32(out, field);
      }
      out.insert(out.end(), name.begin(), name.end());
    }
    putU32(out, mBlockSize);
    putU32(out, tableBlock);
    return out;
  }

 private:
  struct Item {
    std::string name;
    Bytes stored;
    std::uint32_t expandedSize;
    std::uint32_t bufferSize;
  };

  std::uint32_t mBlockSize;
  std::vector<Item> mItems;
};

}  // namespace TestSupport
