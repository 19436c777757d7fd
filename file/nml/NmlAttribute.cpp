#include "file/nml/NmlAttribute.h"

#include <cstring>
#include <vector>

#include "Engine/Base/Assert.h"
#include "core/string/ShiftJis.h"
#include "core/string/String.h"

namespace Game {

using Engine::f32;
using Engine::i32;

namespace {

i32 textLength(const char* text) {
  if (!text) {
    return 0;
  }
  const std::size_t length = std::strlen(text);
  ENGINE_ASSERT(length < 0x3FFFFFFFu && "NmlAttribute : text too long.");
  return static_cast<i32>(length);
}

constexpr i32 kWordSize = static_cast<i32>(sizeof(i32));

}  // namespace

NmlAttribute::~NmlAttribute() { release(); }

void NmlAttribute::release() {
  delete[] mBlock;
  mBlock = nullptr;
  mItemCount = 0;
  mTextSize = 0;
}

const char* NmlAttribute::textBase() const { return reinterpret_cast<const char*>(mBlock + mItemCount); }

const char* NmlAttribute::key() const { return mBlock ? textBase() : ""; }

const char* NmlAttribute::item(i32 i) const {
  if (i < 0) {
    i = 0;
  }
  if (i >= mItemCount) {
    return "";
  }
  return textBase() + mBlock[i];
}

i32 NmlAttribute::toInt(i32 i) const { return String::parseInt(item(i)); }

f32 NmlAttribute::toFloat(i32 i) const { return String::parseFloat(item(i)); }

bool NmlAttribute::toBool(i32 i) const {
  const char* text = item(i);
  if (std::strcmp(text, "true") == 0) {
    return true;
  }
  if (std::strcmp(text, "false") == 0) {
    return false;
  }
  return String::parseInt(text) != 0;
}

void NmlAttribute::build(const char* key, i32 keyLength, bool hasItems, const char* items, i32 itemsLength,
                         const i32* cuts, i32 cutCount) {
  const i32 itemCount = hasItems ? cutCount + 1 : 0;
  const i32 textSize = keyLength + 1 + (hasItems ? itemsLength + 1 : 0);
  ENGINE_ASSERT(textSize < 0x3FFFFFFF - kWordSize * itemCount && "NmlAttribute : line too long.");
  const i32 words = itemCount + (textSize + kWordSize - 1) / kWordSize;
  auto* block = new i32[static_cast<std::size_t>(words)];
  char* text = reinterpret_cast<char*>(block + itemCount);
  std::memcpy(text, key, static_cast<std::size_t>(keyLength));
  text[keyLength] = '\0';
  if (hasItems) {
    char* itemText = text + keyLength + 1;
    std::memcpy(itemText, items, static_cast<std::size_t>(itemsLength));
    itemText[itemsLength] = '\0';
    block[0] = keyLength + 1;
    for (i32 c = 0; c < cutCount; ++c) {
      itemText[cuts[c]] = '\0';
      block[c + 1] = keyLength + 1 + cuts[c] + 1;
    }
  }
  release();
  mBlock = block;
  mItemCount = itemCount;
  mTextSize = textSize;
}

void NmlAttribute::assign(const char* key) { build(key ? key : "", textLength(key), false, nullptr, 0, nullptr, 0); }

void NmlAttribute::assignSplit(const char* key, const char* text) {
  const char* items = text ? text : "";
  const i32 length = textLength(items);
  std::vector<i32> cuts;
  for (i32 i = 0; i < length;) {
    if (items[i] == ',') {
      cuts.push_back(i);
    }
    i += ShiftJis::characterSize(items + i);
  }
  build(key ? key : "", textLength(key), true, items, length, cuts.data(), static_cast<i32>(cuts.size()));
}

void NmlAttribute::addItem(const char* text) {
  const i32 itemLength = textLength(text);
  const i32 itemCount = mItemCount + 1;
  const i32 oldTextSize = mBlock ? mTextSize : 1;
  const i32 textSize = oldTextSize + itemLength + 1;
  ENGINE_ASSERT(textSize < 0x3FFFFFFF - kWordSize * itemCount && "NmlAttribute : line too long.");
  const i32 words = itemCount + (textSize + kWordSize - 1) / kWordSize;
  auto* block = new i32[static_cast<std::size_t>(words)];
  char* newText = reinterpret_cast<char*>(block + itemCount);
  if (mBlock) {
    std::memcpy(block, mBlock, sizeof(i32) * static_cast<std::size_t>(mItemCount));
    std::memcpy(newText, textBase(), static_cast<std::size_t>(oldTextSize));
  } else {
    newText[0] = '\0';
  }
  block[mItemCount] = oldTextSize;
  if (itemLength > 0) {
    std::memcpy(newText + oldTextSize, text, static_cast<std::size_t>(itemLength));
  }
  newText[textSize - 1] = '\0';
  release();
  mBlock = block;
  mItemCount = itemCount;
  mTextSize = textSize;
}

void NmlAttribute::addInt(i32 value) {
  String text;
  text.assignInt(value);
  addItem(text.c_str());
}

}  // namespace Game
