#include "records/expression/FunctionTable.h"

namespace Game {

using Engine::i32;

namespace {

// Depth of the calls being evaluated and the calls left to the outermost
// one; expressions run on the main thread only.
i32 gCallDepth = 0;
i32 gCallsLeft = 0;

}  // namespace

void FunctionTable::declare(const char* name, const char* text) {
  if (find(name)) {
    return;
  }
  auto entry = std::make_unique<Entry>();
  entry->name.assign(name ? name : "");
  entry->body.parse(text ? text : "");
  mEntries.push_back(std::move(entry));
}

const FunctionTable::Entry* FunctionTable::find(const char* name) const {
  for (const auto& entry : mEntries) {
    if (entry->name.equals(name ? name : "")) {
      return entry.get();
    }
  }
  return nullptr;
}

i32 FunctionTable::call(const char* name) const {
  const Entry* entry = find(name);
  if (!entry) {
    return 0;
  }
  if (gCallDepth == 0) {
    gCallsLeft = mNestedCallBudget;
  }
  if (gCallDepth >= kMaxCallDepth || gCallsLeft <= 0) {
    return 0;
  }
  --gCallsLeft;
  ++gCallDepth;
  const i32 value = entry->body.evaluate();
  --gCallDepth;
  return value;
}

void FunctionTable::dumpLine(String& out, i32 i) const {
  const Entry& entry = at(i);
  out.assign(entry.name.c_str() ? entry.name.c_str() : "");
  out.append(" ");
  out.appendInt(call(entry.name.c_str()));
}

}  // namespace Game
