#include "core/variable/VariableTable.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "Engine/Base/Assert.h"

namespace Game {

using Engine::i32;

namespace {

std::atomic<Engine::u64> gLastGeneration{0};

}  // namespace

VariableTable::VariableTable() { changed(); }

void VariableTable::changed() { mGeneration = gLastGeneration.fetch_add(1, std::memory_order_relaxed) + 1; }

void VariableTable::clear() {
  changed();
  mIntegers.clear();
  mStrings.clear();
  mFlags.clear();
  mIntegerIndex.clear();
  mStringIndex.clear();
  mFlagIndex.clear();
}

void VariableTable::undeclared(const char* kind, const char* name) {
  char message[320];
  std::snprintf(message, sizeof message, "VariableTable : the %s variable \"%.200s\" is not declared in %s", kind, name,
                kDeclarationFile);
  Engine::halt(__FILE__, __LINE__, message);
}

void VariableTable::createInteger(const char* name, bool inheritable, bool isProtected) {
  changed();
  mIntegers.push_back({name, 0, inheritable, isProtected});
  mIntegerIndex.emplace(name, mIntegers.size() - 1);
}

void VariableTable::destroyInteger(const char* name) {
  const auto it = mIntegerIndex.find(name);
  if (it == mIntegerIndex.end()) {
    return;
  }
  mIntegers.erase(mIntegers.begin() + static_cast<std::ptrdiff_t>(it->second));
  reindexIntegers();
}

// The first entry of every name, as a walk in list order would find it.
void VariableTable::reindexIntegers() {
  changed();
  mIntegerIndex.clear();
  for (std::size_t i = 0; i < mIntegers.size(); ++i) {
    mIntegerIndex.emplace(mIntegers[i].name, i);
  }
}

const VariableTable::Integer* VariableTable::findInteger(const char* name) const {
  const auto it = mIntegerIndex.find(name);
  return it == mIntegerIndex.end() ? nullptr : &mIntegers[it->second];
}

bool VariableTable::hasInteger(const char* name) const { return findInteger(name) != nullptr; }

const i32* VariableTable::integerSlot(const char* name) const {
  const Integer* found = findInteger(name);
  return found ? &found->value : nullptr;
}

i32& VariableTable::integer(const char* name) {
  const Integer* found = findInteger(name);
  if (!found) {
    undeclared("integer", name);
  }
  return const_cast<Integer*>(found)->value;
}

i32 VariableTable::getInteger(const char* name) const {
  const Integer* found = findInteger(name);
  if (!found) {
    undeclared("integer", name);
  }
  return found->value;
}

bool VariableTable::isInheritable(const char* name) const {
  const Integer* found = findInteger(name);
  return found && found->inheritable;
}

bool VariableTable::isProtected(const char* name) const {
  const Integer* found = findInteger(name);
  return found && found->isProtected;
}

void VariableTable::createString(const char* name) {
  mStrings.push_back({name, String("")});
  mStringIndex.emplace(name, mStrings.size() - 1);
}

const VariableTable::StringVariable* VariableTable::findString(const char* name) const {
  const auto it = mStringIndex.find(name);
  return it == mStringIndex.end() ? nullptr : &mStrings[it->second];
}

bool VariableTable::hasString(const char* name) const { return findString(name) != nullptr; }

const char* VariableTable::string(const char* name) const {
  const StringVariable* found = findString(name);
  if (!found) {
    undeclared("string", name);
  }
  return found->value.c_str() ? found->value.c_str() : "";
}

void VariableTable::setString(const char* name, const char* text) {
  const StringVariable* found = findString(name);
  if (!found) {
    undeclared("string", name);
  }
  const_cast<StringVariable*>(found)->value.assign(text);
}

bool VariableTable::isFlagOn(const char* name) const { return mFlagIndex.count(name) != 0; }

void VariableTable::flagOn(const char* name) {
  if (mFlagIndex.emplace(name, mFlags.size()).second) {
    changed();
    mFlags.emplace_back(name);
  }
}

void VariableTable::flagOff(const char* name) {
  const auto it = mFlagIndex.find(name);
  if (it == mFlagIndex.end()) {
    return;
  }
  mFlags.erase(mFlags.begin() + static_cast<std::ptrdiff_t>(it->second));
  reindexFlags();
}

void VariableTable::reindexFlags() {
  changed();
  mFlagIndex.clear();
  for (std::size_t i = 0; i < mFlags.size(); ++i) {
    mFlagIndex.emplace(mFlags[i], i);
  }
}

void VariableTable::resetForNewCycle() {
  for (StringVariable& variable : mStrings) {
    variable.value.assign("");
  }
  for (Integer& variable : mIntegers) {
    if (!variable.inheritable) {
      variable.value = 0;
    }
  }
  mFlags.clear();
  mFlagIndex.clear();
  changed();
}

bool VariableTable::toggleInheritable(i32 id) {
  if (id < 1 || id > integerCount()) {
    return false;
  }
  Integer& variable = mIntegers[static_cast<std::size_t>(id - 1)];
  variable.inheritable = !variable.inheritable;
  return true;
}

}  // namespace Game
