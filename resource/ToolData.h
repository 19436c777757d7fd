#pragma once

#include "core/string/String.h"

namespace Game {

// An item record. Stand-in until the item database is read from its data
// file: the key name (which names the item's "onSale." and "materials."
// variables) and the name shown to the player.
class ToolData {
 public:
  ToolData(const char* name, const char* displayName) : mName(name), mDisplayName(displayName) {}

  const char* name() const { return mName.c_str(); }
  const char* displayName() const { return mDisplayName.c_str(); }

 private:
  String mName;
  String mDisplayName;
};

}  // namespace Game
