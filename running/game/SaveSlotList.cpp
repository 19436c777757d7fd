#include "running/game/SaveSlotList.h"

#include "core/playtime/PlayTime.h"
#include "core/string/Decimal.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kNumberWidth = 4;
constexpr i32 kDateWidth = 16;
constexpr i32 kPlayTimeWidth = 34;
constexpr const char* kNoFile = "------";
constexpr const char* kInvalidFile = "無効なファイル";
constexpr const char* kClearedMark = "★";

const NmlNode* firstChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

bool wasCleared(const NmlNode& save) {
  const NmlNode* flag = firstChild(save, "flag");
  const NmlNode* integers = flag ? firstChild(*flag, "integer") : nullptr;
  const NmlAttribute* clearCount = integers ? integers->findAttribute("clearCount") : nullptr;
  i32 count = 0;
  return clearCount && parseDecimal(clearCount->item(0), count) && count != 0;
}

void appendSaveDetails(String& text, const NmlNode& save) {
  const SaveCheck::SaveTime time = SaveCheck::readHead(save);
  text.appendInt(time.year);
  text.append("/");
  text.appendInt(time.month);
  text.append("/");
  text.appendInt(time.day);
  text.append(" ");
  text.padRight(kDateWidth);
  const NmlNode* system = firstChild(save, "system");
  PlayTime playTime;
  if (const NmlAttribute* count = system ? system->findAttribute("count") : nullptr) {
    playTime.read(*count);
  }
  text.append("play ");
  text.append(playTime.format().c_str());
  text.padRight(kPlayTimeWidth);
  if (wasCleared(save)) {
    text.append(kClearedMark);
  }
  if (const NmlAttribute* headline = system ? system->findAttribute("headline") : nullptr) {
    text.append(headline->item(0));
  }
}

}  // namespace

i32 SaveSlotList::sRememberedCursor = -1;

String SaveSlotList::line(i32 slot, bool exists, const NmlNode* save) {
  String text("");
  text.appendInt(slot);
  text.padRight(kNumberWidth);
  if (!exists) {
    text.append(kNoFile);
  } else if (!save) {
    text.append(kInvalidFile);
  } else {
    appendSaveDetails(text, *save);
  }
  return text;
}

void SaveSlotList::build() {
  NmlDocument document;
  for (i32 slot = 0; slot < SaveSlot::kCount; ++slot) {
    Row& row = mRows[slot];
    row.exists = SaveSlot::exists(slot);
    row.valid = row.exists && SaveSlot::read(document, slot);
    row.stamp = row.valid ? SaveCheck::readHead(document).stamp() : 0;
    row.text = line(slot, row.exists, row.valid ? &document : nullptr);
  }
}

i32 SaveSlotList::newestSlot() const {
  i32 newest = -1;
  for (i32 slot = 0; slot < SaveSlot::kCount; ++slot) {
    if (mRows[slot].valid && (newest < 0 || mRows[slot].stamp > mRows[newest].stamp)) {
      newest = slot;
    }
  }
  return newest < 0 ? 0 : newest;
}

i32 SaveSlotList::placeCursor() const {
  if (sRememberedCursor < 0) {
    sRememberedCursor = newestSlot();
  }
  return sRememberedCursor;
}

}  // namespace Game
