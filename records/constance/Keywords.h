#pragma once

#include "Engine/Base/Types.h"

namespace Game::Keyword {

// Converters from the data files' keywords to their numbers. Each compares
// the whole word with its table in order; a word outside the table is a data
// error and stops the program with the message of its kind ("WRONGE SLOT"
// and the like), the word, and the file, record and line being read.

// "invalid" 0, "file" 2, "memory" 1.
Engine::i32 saveKind(const char* word);
// One equipment slot's bit: "ぶき" 1, "うで" 2, "あたま" 4, "あし" 8, "そのた" 16.
Engine::i32 slotBit(const char* word);
// The bits of every comma-separated slot word of a text, OR-ed; 0 for "".
// An empty word between commas is not a slot.
Engine::i32 slotMask(const char* words);
// "常時" 0, "通常" 1, "反撃" 2, "自動反撃" 3, "ファイナルアタック" 4, "追撃" 5.
Engine::i32 trigger(const char* word);
// "攻撃" 0, "補助" 1.
Engine::i32 abilityType(const char* word);
// "無" 0, "単" 1, "行" 2, "列" 3, "列大" 4, "円" 5, "前" 6, "自爆" 7, "陣" 8, "全" 9.
Engine::i32 area(const char* word);
// "自" 0, "近" 1, "遠" 2.
Engine::i32 range(const char* word);

}  // namespace Game::Keyword
