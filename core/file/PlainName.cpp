#include "core/file/PlainName.h"

#include <cstring>

#include "core/string/ShiftJis.h"

namespace Game {

// '/' is never the second byte of a Shift-JIS character, so it is refused
// wherever it stands; '\' is walked for character by character.
bool isPlainName(const char* name) {
  if (!name || *name == '\0' || *name == '.' || std::strchr(name, '/')) {
    return false;
  }
  for (const char* at = name; *at != '\0'; at += ShiftJis::characterSize(at)) {
    if (*at == '\\') {
      return false;
    }
  }
  return true;
}

}  // namespace Game
