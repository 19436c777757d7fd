#include "FileIO/src/Archive.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/FileIO/Compression.h"
#include "Platform/Backend.h"

namespace Engine::FileIO {

namespace {

constexpr u64 kTrailerSize = 8;
constexpr u64 kEntryHeaderSize = 20;

u32 readU32(const u8* at) {
  return static_cast<u32>(at[0]) | static_cast<u32>(at[1]) << 8 | static_cast<u32>(at[2]) << 16 |
         static_cast<u32>(at[3]) << 24;
}

bool readU32At(Platform::InputFile& file, u64 position, u32* value) {
  u8 bytes[4];
  if (!file.seek(position) || !file.read(bytes, sizeof bytes)) {
    return false;
  }
  *value = readU32(bytes);
  return true;
}

// Paths in the table use '\'; a '/' byte is never part of a two-byte character.
std::string tableName(const char* name) {
  std::string key(name);
  std::replace(key.begin(), key.end(), '/', '\\');
  return key;
}

}  // namespace

// Walks the entries of a table held in memory; every field is checked
// against the bytes that are there and against the archive's size.
class Archive::TableReader {
 public:
  TableReader(const std::vector<u8>& table, u64 fileSize, u32 blockSize)
      : mTable(table), mFileSize(fileSize), mBlockSize(blockSize) {}

  // Null when the table itself holds no further entry, else what is wrong.
  const char* next(Entry* entry, u32* nameLength) {
    if (mTable.size() - mAt < kEntryHeaderSize) {
      return "wrong file number";
    }
    const u8* fields = mTable.data() + mAt;
    *entry = {readU32(fields), readU32(fields + 4), readU32(fields + 8), readU32(fields + 12), true};
    *nameLength = readU32(fields + 16);
    mAt += kEntryHeaderSize;
    if (*nameLength > mTable.size() - mAt) {
      return "wrong file number";
    }
    return nullptr;
  }

  // The name of the entry just read, or null with what is wrong in *wrong.
  bool name(u32 nameLength, std::string* name, const char** wrong) {
    *wrong = decodeName(mTable.data() + mAt, nameLength, name);
    mAt += nameLength;
    return *wrong == nullptr;
  }

  // Null when the entry's sizes and position fit the archive, else what is wrong.
  const char* check(const Entry& entry) const { return checkEntry(entry); }

 private:
  const char* checkEntry(const Entry& entry) const {
    const u64 start = static_cast<u64>(entry.block) * mBlockSize;
    if (start > mFileSize || entry.storedSize > mFileSize - start) {
      return "wrong data position";
    }
    // A two-byte match gives at most 18 bytes, so no stream expands more than ninefold.
    if (entry.expandedSize != entry.storedSize && entry.expandedSize > static_cast<u64>(entry.storedSize) * 9) {
      return "wrong expanded size";
    }
    // The in-place bound never exceeds both sizes together.
    if (entry.bufferSize > static_cast<u64>(entry.storedSize) + entry.expandedSize + 1) {
      return "wrong buffer size";
    }
    return nullptr;
  }

  static const char* decodeName(const u8* encoded, u32 length, std::string* name) {
    char decoded[kNameMax + 1];
    u32 produced = 0;
    const bool ok = decompress(reinterpret_cast<u8*>(decoded), kNameMax + 1, &produced, encoded, length);
    if (!ok) {
      Engine::cout << "Decompression Failed!" << endl;
      return "wrong name";
    }
    if (produced >= kNameMax) {
      return "name too long";
    }
    name->assign(decoded, produced);
    return nullptr;
  }

  const std::vector<u8>& mTable;
  u64 mFileSize;
  u32 mBlockSize;
  std::size_t mAt = 0;
};

Archive::Archive(const char* fileName) : mDirect(fileName == nullptr) {
  if (fileName) {
    load(fileName);
  }
}

Archive::~Archive() = default;

void Archive::reject(const char* message, const char* fileName) {
  Engine::cout << message << fileName << endl;
  mFile.reset();
  mEntries.setCapacity(0);
}

void Archive::load(const char* fileName) {
  mFile = Platform::backend().fileSystem().openRead(fileName);
  if (!mFile) {
    Engine::cout << "can't open archive: " << fileName << endl;
    return;
  }
  const u64 fileSize = mFile->size();
  if (fileSize < kTrailerSize) {
    return reject("archive size is illegal ( too small ): ", fileName);
  }
  u32 tableBlock = 0;
  if (!readU32At(*mFile, fileSize - 8, &mBlockSize) || !readU32At(*mFile, fileSize - 4, &tableBlock)) {
    return reject("archive size is illegal ( too small ): ", fileName);
  }
  const u64 tablePosition = static_cast<u64>(tableBlock) * mBlockSize;
  u32 count = 0;
  if (!(tablePosition + 12 < fileSize) || !readU32At(*mFile, tablePosition, &count)) {
    return reject("archive size is illegal ( wrong table ): ", fileName);
  }
  if (fileSize < static_cast<u64>(count) * 16 || count > 0x7FFFFFFFu) {
    return reject("archive size is illegal ( wrong file number ): ", fileName);
  }
  std::vector<u8> table(static_cast<std::size_t>(fileSize - kTrailerSize - tablePosition - 4));
  if (!mFile->read(table.data(), table.size())) {
    return reject("archive size is illegal ( wrong table ): ", fileName);
  }
  mEntries.setCapacity(static_cast<i32>(count));
  TableReader reader(table, fileSize, mBlockSize);
  for (u32 i = 0; i < count; ++i) {
    Entry entry{};
    u32 nameLength = 0;
    if (const char* wrong = reader.next(&entry, &nameLength)) {
      const std::string message = std::string("archive entry is illegal ( ") + wrong + " ): ";
      return reject(message.c_str(), fileName);
    }
    // An entry that cannot be named, or whose sizes cannot be right, is left
    // out or refused on its own; the table still leads to the next one.
    std::string name;
    const char* wrong = nullptr;
    if (!reader.name(nameLength, &name, &wrong)) {
      Engine::cout << "archive entry is illegal ( " << wrong << " ): entry " << i << " of " << fileName << endl;
      continue;
    }
    if ((wrong = reader.check(entry)) != nullptr) {
      Engine::cout << "archive entry is illegal ( " << wrong << " ): " << name << " in " << fileName << endl;
      entry.intact = false;
    }
    mEntries.add(RefString(name.data(), static_cast<i32>(name.size())), entry);
  }
}

bool Archive::open(SourceStream& stream, const char* name) {
  stream = SourceStream();
  if (mDirect) {
    stream.ownFile = Platform::backend().fileSystem().openRead(name);
    stream.file = stream.ownFile.get();
    return stream.file != nullptr;
  }
  if (!mFile || mEntries.size() == 0) {
    return false;
  }
  const std::string key = tableName(name);
  const i32 index = mEntries.find(RefString(key.data(), static_cast<i32>(key.size())));
  if (mEntries.isEnd(index) || !mFile->seek(static_cast<u64>(mEntries.value(index).block) * mBlockSize)) {
    return false;
  }
  stream.file = mFile.get();
  stream.entryIndex = index;
  return true;
}

bool Archive::holds(const char* name) const {
  if (mDirect) {
    return Platform::backend().fileSystem().exists(name);
  }
  if (!mFile || mEntries.size() == 0) {
    return false;
  }
  const std::string key = tableName(name);
  return !mEntries.isEnd(mEntries.find(RefString(key.data(), static_cast<i32>(key.size()))));
}

const Archive::Entry& Archive::entryOf(const SourceStream& stream) const {
  ENGINE_ASSERT(stream.entryIndex >= 0);
  ENGINE_ASSERT(stream.file == mFile.get());
  return mEntries.value(stream.entryIndex);
}

void Archive::size(const SourceStream& stream, u64* storedSize, u64* expandedSize) const {
  if (mDirect) {
    *storedSize = *expandedSize = stream.file->size();
    return;
  }
  const Entry& entry = entryOf(stream);
  *storedSize = entry.storedSize;
  *expandedSize = entry.expandedSize;
}

LoadBuffer Archive::allocate(const SourceStream& stream) const {
  u64 capacity = 0;
  if (mDirect) {
    ENGINE_ASSERT(stream.entryIndex == -1);
    capacity = stream.file->size() + 1;
  } else {
    const Entry& entry = entryOf(stream);
    if (!entry.intact) {
      return {};
    }
    // Never below the stored size: the stored bytes go to the buffer's end.
    capacity = std::max({static_cast<u64>(entry.bufferSize), static_cast<u64>(entry.expandedSize) + 1,
                         static_cast<u64>(entry.storedSize)});
  }
  LoadBuffer buffer;
  buffer.bytes.reset(new (std::nothrow) u8[capacity]);
  buffer.capacity = buffer.bytes ? capacity : 0;
  return buffer;
}

bool Archive::read(SourceStream& stream, LoadBuffer& buffer, u64 storedSize) {
  if (mDirect) {
    return storedSize < buffer.capacity && stream.file->read(buffer.bytes.get(), storedSize);
  }
  return readEntry(stream, buffer, storedSize);
}

bool Archive::readEntry(SourceStream& stream, LoadBuffer& buffer, u64 storedSize) {
  const Entry& entry = entryOf(stream);
  ENGINE_ASSERT(entry.storedSize == storedSize);
  if (!entry.intact || storedSize > buffer.capacity) {
    return false;
  }
  if (entry.expandedSize == entry.storedSize) {
    return stream.file->read(buffer.bytes.get(), storedSize);
  }
  u8* stored = buffer.bytes.get() + (buffer.capacity - storedSize);
  if (!stream.file->read(stored, storedSize)) {
    return false;
  }
  u32 produced = 0;
  const bool decoded = decompress(buffer.bytes.get(), entry.expandedSize, &produced, stored, entry.storedSize);
  if (!decoded || produced != entry.expandedSize) {
    Engine::cout << "Decompression Failed!" << endl;
    return false;
  }
  return true;
}

void Archive::close(SourceStream& stream) {
  stream.file = nullptr;
  stream.ownFile.reset();
  stream.entryIndex = -1;
}

}  // namespace Engine::FileIO
