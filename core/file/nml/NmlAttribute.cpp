#include "core/file/nml/NmlAttribute.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "Engine/Base/Assert.h"
#include "core/string/NumberLiterals.h"
#include "core/string/ShiftJis.h"
#include "core/string/String.h"
#include "core/file/DataError.h"
#include "core/file/nml/NmlArena.h"

namespace Game {

using Engine::f32;
using Engine::i32;

static_assert(sizeof(NmlAttribute) <= 5 * sizeof(void*), "a line grew past five words");

namespace {

std::size_t textLength(const char* text) {
  if (!text) {
    return 0;
  }
  const std::size_t length = std::strlen(text);
  ENGINE_ASSERT(length < 0x3FFFFFFFu && "NmlAttribute : text too long.");
  return length;
}

}  // namespace

NmlAttribute::~NmlAttribute() {
  if (mArena && mArena->ownedByLine()) {
    delete mArena;
  }
}

NmlArena& NmlAttribute::arena() {
  if (!mArena) {
    mArena = new NmlArena(true);
  }
  return *mArena;
}

i32 NmlAttribute::toInt(i32 i) const {
  checkFits(i);
  return String::parseInt(item(i));
}

f32 NmlAttribute::toFloat(i32 i) const {
  checkFits(i);
  const f32 value = String::parseFloat(item(i));
  if (!std::isfinite(value)) [[unlikely]] {
    stopOnItem(i, "is not a finite number");
  }
  return value;
}

// Only data files are held to it: saves and settings read whatever they hold.
void NmlAttribute::checkFits(i32 i) const {
  if (mArena && mArena->source() && !NumberLiterals::fit(item(i))) [[unlikely]] {
    stopOnItem(i, "does not fit in 32 bits");
  }
}

// Named by the data-error scope the reader opened (its file and record) with
// this line, where the fault stands; without a scope by the tree's file and
// the line, when the tree has a file.
void NmlAttribute::stopOnItem(i32 i, const char* fault) const {
  String problem("\"");
  problem.append(mKey);
  problem.append("\" item ");
  problem.appendInt(i < 0 ? 1 : i + 1);
  problem.append(" \"");
  problem.append(item(i));
  problem.append("\" ");
  problem.append(fault);
  const char* file = mArena ? mArena->source() : nullptr;
  if (file && !DataError::inScope()) {
    DataError::Scope scope(file);
    scope.setRecord(nullptr, nullptr, mLine);
    DataError::badRecord(__FILE__, __LINE__, problem.c_str());
  }
  if (file) {
    DataError::setLine(mLine);
  }
  DataError::badRecord(__FILE__, __LINE__, problem.c_str());
}

bool NmlAttribute::allFinite() const {
  for (i32 i = 0; i < mItemCount; ++i) {
    if (!std::isfinite(String::parseFloat(item(i)))) {
      return false;
    }
  }
  return true;
}

bool NmlAttribute::toBool(i32 i) const {
  const char* text = item(i);
  if (std::strcmp(text, "true") == 0) {
    return true;
  }
  if (std::strcmp(text, "false") == 0) {
    return false;
  }
  return toInt(i) != 0;
}

// The pointers a parsed line holds right after itself are exactly as many as
// its items (fewer once it is assigned anew, which never overstates the room).
i32 NmlAttribute::itemRoom() const {
  if (!mItems || mItems == reinterpret_cast<const char* const*>(this + 1)) {
    return mItemCount;
  }
  return static_cast<i32>(reinterpret_cast<const std::intptr_t*>(mItems)[-1]);
}

void NmlAttribute::reserveItems(i32 count) {
  const i32 room = itemRoom();
  if (count <= room) {
    return;
  }
  ENGINE_ASSERT(count < 0x3FFFFFFF && "NmlAttribute : too many items.");
  const i32 capacity = count < 4 ? 4 : (count > room * 2 ? count : room * 2);
  auto* block = static_cast<std::intptr_t*>(
      arena().allocate(sizeof(std::intptr_t) * (1 + static_cast<std::size_t>(capacity))));
  block[0] = capacity;
  auto** items = reinterpret_cast<const char**>(block + 1);
  if (mItemCount > 0) {
    std::memcpy(items, mItems, sizeof(char*) * static_cast<std::size_t>(mItemCount));
  }
  mItems = items;
}

void NmlAttribute::assign(const char* key) {
  mKey = arena().copyText(key, textLength(key));
  mItemCount = 0;
}

void NmlAttribute::assignSplit(const char* key, const char* text) {
  assign(key);
  const char* source = text ? text : "";
  const std::size_t length = textLength(source);
  i32 commas = 0;
  for (std::size_t i = 0; i < length; i += ShiftJis::characterSize(source + i)) {
    commas += source[i] == ',' ? 1 : 0;
  }
  reserveItems(commas + 1);
  char* copy = arena().copyText(source, length);
  mItems[mItemCount++] = copy;
  for (std::size_t i = 0; i < length; i += ShiftJis::characterSize(source + i)) {
    if (source[i] == ',') {
      copy[i] = '\0';
      mItems[mItemCount++] = copy + i + 1;
    }
  }
}

void NmlAttribute::addItem(const char* text) {
  reserveItems(mItemCount + 1);
  mItems[mItemCount++] = arena().copyText(text, textLength(text));
}

void NmlAttribute::addInt(i32 value) {
  String text;
  text.assignInt(value);
  addItem(text.c_str());
}

}  // namespace Game
