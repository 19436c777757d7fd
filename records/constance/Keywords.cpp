#include "records/constance/Keywords.h"

#include <cstring>

#include "core/string/StringRef.h"
#include "core/file/DataError.h"

namespace Game::Keyword {

using Engine::i32;

namespace {

struct Word {
  const char* text;
  i32 value;
};

constexpr Word kSaveKinds[] = {{"invalid", 0}, {"file", 2}, {"memory", 1}};
constexpr Word kSlots[] = {{"ぶき", 1}, {"うで", 2}, {"あたま", 4}, {"あし", 8}, {"そのた", 16}};
constexpr Word kTriggers[] = {{"常時", 0}, {"通常", 1},  {"反撃", 2}, {"自動反撃", 3}, {"ファイナルアタック", 4},
                              {"追撃", 5}};
constexpr Word kAbilityTypes[] = {{"攻撃", 0}, {"補助", 1}};
constexpr Word kAreas[] = {{"無", 0}, {"単", 1}, {"行", 2}, {"列", 3}, {"列大", 4},
                           {"円", 5}, {"前", 6}, {"自爆", 7}, {"陣", 8}, {"全", 9}};
constexpr Word kRanges[] = {{"自", 0}, {"近", 1}, {"遠", 2}};

// A word outside the table stops with the assertion of its kind, the word
// and the file, record and line being read.
template <std::size_t N>
i32 convert(const Word (&table)[N], const char* word, const char* assertion, const char* what, int line) {
  const StringRef text(word);
  for (const Word& entry : table) {
    if (text == entry.text) {
      return entry.value;
    }
  }
  DataError::wrongWord(__FILE__, line, assertion, what, word);
}

}  // namespace

i32 saveKind(const char* word) { return convert(kSaveKinds, word, "\"WRONGE SAVE\"", "save kind", __LINE__); }

i32 slotBit(const char* word) { return convert(kSlots, word, "\"WRONGE SLOT\"", "slot", __LINE__); }

i32 slotMask(const char* words) {
  if (!words || *words == '\0') {
    return 0;
  }
  i32 mask = 0;
  char word[64];
  for (const char* start = words;;) {
    const char* end = std::strchr(start, ',');
    const std::size_t length = end ? static_cast<std::size_t>(end - start) : std::strlen(start);
    // A longer word cannot be a slot: keep a cut prefix, which the table rejects.
    const std::size_t kept = length < sizeof word - 1 ? length : sizeof word - 1;
    std::memcpy(word, start, kept);
    word[kept] = '\0';
    mask |= slotBit(word);
    if (!end) {
      return mask;
    }
    start = end + 1;
  }
}

i32 trigger(const char* word) { return convert(kTriggers, word, "\"WRONGE TRIGGER\"", "trigger", __LINE__); }

i32 abilityType(const char* word) {
  return convert(kAbilityTypes, word, "\"WRONG ABILITYTYPE\"", "ability type", __LINE__);
}

i32 area(const char* word) { return convert(kAreas, word, "\"WRONG AREA\"", "area", __LINE__); }

i32 range(const char* word) { return convert(kRanges, word, "\"WRONG RANGE\"", "range", __LINE__); }

}  // namespace Game::Keyword
