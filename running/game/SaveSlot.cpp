#include "running/game/SaveSlot.h"

#include <cstring>
#include <ctime>
#include <vector>

#include "Engine/Base/DebugStream.h"
#include "running/game/GameData.h"
#include "core/file/FileSystem.h"
#include "core/file/SaveCodec.h"
#include "core/file/nml/NmlDocument.h"

namespace Game::SaveSlot {

using Engine::i32;
using Engine::u8;

namespace {

constexpr i32 kFirstPlainSlot = 255;
constexpr i32 kFirstPrettySlot = 256;
constexpr i32 kSaveVersion = 0;
constexpr const char* kFolder = "savedata/";

// The payload is one text and its terminator: a zero byte before the end
// means the file was damaged.
bool isWholeText(const char* data, i32 size) {
  return size > 0 && static_cast<i32>(std::strlen(data)) == size - 1;
}

// The slot's payload (unpacked, but for the plain slots) and a zero byte
// after it; false when the file cannot be read at all.
bool readPayload(i32 slot, std::vector<u8>& payload) {
  std::vector<u8> file;
  if (!FileSystem::readBytes(path(slot).c_str(), file)) {
    return false;
  }
  if (slot >= kFirstPlainSlot) {
    payload = std::move(file);
  } else {
    const auto size = static_cast<i32>(file.size());  // the read's limit keeps it small
    payload.resize(static_cast<std::size_t>(SaveCodec::unpackCapacity(size)));
    payload.resize(static_cast<std::size_t>(
        SaveCodec::unpack(payload.data(), static_cast<i32>(payload.size()), file.data(), size)));
  }
  payload.push_back(0);
  return true;
}

}  // namespace

String path(i32 slot) {
  String name = FileSystem::homePath(kFolder);
  name.appendInt(slot);
  name.append(".sav");
  return name;
}

bool exists(i32 slot) { return FileSystem::exists(path(slot).c_str()); }

// A slot's file name: its number, then ".sav".
void removeAbandonedWrites() {
  FileSystem::removeAbandonedWrites(kFolder, [](std::string_view name) {
    const std::size_t digits = name.find_first_not_of("0123456789");
    return digits > 0 && digits != std::string_view::npos && name.substr(digits) == ".sav";
  });
}

bool anyExists() {
  for (i32 slot = 0; slot < kCount; ++slot) {
    if (exists(slot)) {
      return true;
    }
  }
  return false;
}

// A slot with no file is empty, not invalid: only a file that is there and
// fails to read is reported, and no failure halts the game.
bool read(NmlDocument& document, i32 slot) {
  document.clear();
  if (!exists(slot)) {
    return false;
  }
  std::vector<u8> payload;
  const bool readable = readPayload(slot, payload);
  const auto* text = reinterpret_cast<const char*>(payload.data());
  const char* fault = !readable ? "the file cannot be read (gone, not a regular file, or over 16 MiB)"
                      : !isWholeText(text, static_cast<i32>(payload.size()) - 1)
                          ? "the text is cut or holds a zero byte"
                      : !document.parse(text, false) ? "the text is not an nml tree"
                                                     : SaveCheck::problem(document, true);
  if (fault) {
    Engine::cout << path(slot).c_str() << ": " << fault << Engine::endl;
    document.clear();
  }
  return fault == nullptr;
}

bool write(const NmlDocument& document, i32 slot) {
  String text;
  document.toString(text, slot >= kFirstPrettySlot);
  return FileSystem::writeFile(path(slot).c_str(), text.c_str(), text.length() + 1, slot < kFirstPlainSlot);
}

SaveCheck::SaveTime localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

void writeHead(NmlDocument& document, const GameData& game, const SaveCheck::SaveTime& time) {
  document.clear();
  NmlNode& head = *document.addChild("head");
  head.addInt("year", time.year);
  head.addInt("month", time.month);
  head.addInt("day", time.day);
  head.addInt("hour", time.hour);
  head.addInt("minute", time.minute);
  head.addInt("version", kSaveVersion);
  game.write(document);
}

void writeHead(NmlDocument& document, const GameData& game) { writeHead(document, game, localTime()); }

bool save(const GameData& game, i32 slot) {
  NmlDocument document;
  writeHead(document, game);
  return write(document, slot);
}

GameData* load(i32 slot) {
  NmlDocument document;
  return read(document, slot) ? new GameData(document) : nullptr;
}

}  // namespace Game::SaveSlot
