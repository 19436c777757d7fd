#include "records/table/StateTable.h"

#include <cstring>

#include "core/file/nml/NmlNode.h"
#include "core/file/DataError.h"

namespace Game {

using Engine::i32;

void StateTable::read(const NmlNode& root) {
  for (NmlNode::ChildList::Iterator it(root.children()); !it.isEnd(); it.next()) {
    const NmlNode& node = *it.value();
    if (std::strcmp(node.name(), "state") != 0) {
      continue;
    }
    const NmlAttribute* name = node.findAttribute("name");
    DataError::setRecord("state", name ? name->toString(0) : "", node.line());
    mStates.emplace_back().read(node);
  }
  DataError::setRecord(nullptr, nullptr, 0);
}

StateData& StateTable::add(const char* name) { return mStates.emplace_back(name); }

const StateData* StateTable::at(i32 i) const {
  return i >= 0 && i < count() ? &mStates[static_cast<std::size_t>(i)] : nullptr;
}

i32 StateTable::find(const char* name) const {
  for (i32 i = 0; i < count(); ++i) {
    if (mStates[static_cast<std::size_t>(i)].is(name)) {
      return i;
    }
  }
  return -1;
}

i32 StateTable::indexOf(const char* name) const {
  const i32 index = find(name);
  if (index < 0) {
    DataError::unknownName(__FILE__, __LINE__, "state", name);
  }
  return index;
}

i32 StateTable::indexOf(const StateData* state) const {
  for (i32 i = 0; i < count(); ++i) {
    if (&mStates[static_cast<std::size_t>(i)] == state) {
      return i;
    }
  }
  return -1;
}

}  // namespace Game
