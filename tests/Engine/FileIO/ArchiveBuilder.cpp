#include "ArchiveBuilder.h"

#include "Engine/FileIO/Compression.h"

namespace TestSupport {

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void setU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int k = 0; k < 4; ++k) {
    out[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value >> (8 * k));
  }
}

ArchiveBuilder& ArchiveBuilder::addCompressed(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  Item item{name, {}, static_cast<std::uint32_t>(bytes.size()), 0};
  Engine::FileIO::compress(item.stored, &item.bufferSize, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  mItems.push_back(std::move(item));
  return *this;
}

ArchiveBuilder& ArchiveBuilder::addCompressed(const std::string& name, const std::string& text) {
  return addCompressed(name, bytesOf(text));
}

ArchiveBuilder& ArchiveBuilder::addStored(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const auto size = static_cast<std::uint32_t>(bytes.size());
  mItems.push_back({name, bytes, size, size});
  return *this;
}

ArchiveBuilder& ArchiveBuilder::addStored(const std::string& name, const std::string& text) {
  return addStored(name, bytesOf(text));
}

std::vector<std::uint8_t> ArchiveBuilder::build() const {
  std::vector<std::uint8_t> out;
  auto padToBlock = [&] { out.resize((out.size() + mBlockSize - 1) / mBlockSize * mBlockSize); };
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
    std::vector<std::uint8_t> name;
    Engine::FileIO::compress(name, nullptr, reinterpret_cast<const std::uint8_t*>(item.name.data()),
                             static_cast<std::uint32_t>(item.name.size()));
    putU32(out, blocks[i]);
    putU32(out, static_cast<std::uint32_t>(item.stored.size()));
    putU32(out, item.expandedSize);
    putU32(out, item.bufferSize);
    putU32(out, static_cast<std::uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
  }
  putU32(out, mBlockSize);
  putU32(out, tableBlock);
  return out;
}

}  // namespace TestSupport
