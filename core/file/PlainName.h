#pragma once

namespace Game {

// A name that a player's file gives (a floor, a chara) and that becomes part
// of a path must stay a name inside the folder it is looked for in: not
// empty, not starting with a dot (no "..", no hidden file) and holding no
// directory separator. A '\' counts only where it is a character of its own:
// as the second byte of a Shift-JIS character it is part of a letter (ソ).
bool isPlainName(const char* name);

}  // namespace Game
