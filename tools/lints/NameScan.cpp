#include "NameScan.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "Platform/TextCodec.h"

namespace NameScan {

namespace fs = std::filesystem;

namespace {

// A call whose literal arguments are names of a kind: the callee, and what
// must stand right before it or open its arguments when the name alone is
// not enough.
struct Lookup {
  const char* callee;
  Kind kind;
  const char* before = "";
  const char* firstArgument = "";
};

const Lookup kLookups[] = {
    {"stateLevel", Kind::kState},
    {"setStateLevel", Kind::kState},
    {"holds", Kind::kState},
    {"applyState", Kind::kState},
    {"findState", Kind::kState},
    {"stateIndex", Kind::kState},
    {"resists", Kind::kState},
    {"isNamed", Kind::kState},
    {"fromName", Kind::kArt},
    {"findAbility", Kind::kArt},
    {"findAbilityOrNull", Kind::kArt},
    {"addReactionNamed", Kind::kArt},
    {"has", Kind::kArt},
    {"levelOfNamed", Kind::kArt},
    {"firstLevelOf", Kind::kArt},
    {"abilityFactor", Kind::kArt},
    {"levelOf", Kind::kArt, "", "abilities"},
    {"findTool", Kind::kTool},
    {"findShell", Kind::kShell},
    {"findShellExactly", Kind::kShell},
    {"findEnemy", Kind::kEnemy},
    {"playSound", Kind::kSound},
    {"playBattleSound", Kind::kSound},
    {"startBattleSound", Kind::kSound},
    {"play", Kind::kSound, "sounds()."},
    {"start", Kind::kSound, "sounds()."},
    {"find", Kind::kSound, "sounds()."},
    {"play", Kind::kSound, "Sounds()."},
    {"start", Kind::kSound, "Sounds()."},
    {"find", Kind::kSound, "Sounds()."},
    {"play", Kind::kTune, "music->"},
    {"play", Kind::kTune, "BGM::instance()->"},
    {"findModel", Kind::kModel},
    {"motion", Kind::kModel},
    {"drawGauge", Kind::kModel},
};

// A table of names: its literals in order, row after row, are of the
// column's kind.
struct Table {
  const char* name;
  std::vector<Kind> columns;
};

const Table kTables[] = {
    {"kStateReactions", {Kind::kState, Kind::kArt}},
    {"kAutoStates", {Kind::kArt, Kind::kState}},
    {"kTypeSupports", {Kind::kArt}},
    {"kElementSupports", {Kind::kArt}},
    {"kStateFunctions", {Kind::kState}},
    {"kCautionIconStates", {Kind::kState}},
    {"kCautionIconStates", {Kind::kModel}},
    {"kDigitNames", {Kind::kModel}},
};

// Name constants the code compares records with.
const std::pair<const char*, Kind> kNamedConstants[] = {{"kRecallArt", Kind::kArt}};

// Folders that hold no game code: the framework, the tests and tools, data
// and build trees.
bool isOutsideTheGame(const fs::path& folder) {
  const std::string name = folder.filename().string();
  static const std::set<std::string> skipped = {"Engine", "tests", "fuzz", "bench", "tools", "game", "Testing", "cmake"};
  return skipped.count(name) > 0 || name.rfind("build", 0) == 0 || name.rfind('.', 0) == 0;
}

bool isWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Past the literal opening at i ('"' or '\'').
std::size_t pastLiteral(const std::string& code, std::size_t i) {
  const char quote = code[i];
  for (++i; i < code.size() && code[i] != quote; ++i) {
    i += code[i] == '\\' ? 1 : 0;
  }
  return std::min(i + 1, code.size());
}

}  // namespace

std::string withoutComments(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '"' || text[i] == '\'') {
      const std::size_t end = pastLiteral(text, i);
      out.append(text, i, end - i);
      i = end;
    } else if (text.compare(i, 2, "//") == 0) {
      i = std::min(text.find('\n', i), text.size());
    } else if (text.compare(i, 2, "/*") == 0) {
      i = std::min(text.find("*/", i), text.size() - 2) + 2;
    } else {
      out += text[i++];
    }
  }
  return out;
}

namespace {

// Calls fn(begin, end) for each identifier outside literals.
template <typename Fn>
void forEachIdentifier(const std::string& code, Fn fn) {
  for (std::size_t i = 0; i < code.size();) {
    if (code[i] == '"' || code[i] == '\'') {
      i = pastLiteral(code, i);
    } else if (isWordCharacter(code[i]) && !std::isdigit(static_cast<unsigned char>(code[i]))) {
      std::size_t end = i;
      while (end < code.size() && isWordCharacter(code[end])) {
        ++end;
      }
      fn(i, end);
      i = end;
    } else if (std::isdigit(static_cast<unsigned char>(code[i]))) {
      while (i < code.size() && isWordCharacter(code[i])) {
        ++i;
      }
    } else {
      ++i;
    }
  }
}

std::size_t skipSpaces(const std::string& code, std::size_t i) {
  while (i < code.size() && std::isspace(static_cast<unsigned char>(code[i]))) {
    ++i;
  }
  return i;
}

}  // namespace

std::vector<Source> gameSources(const fs::path& root) {
  std::vector<Source> out;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    if (it->is_directory() && isOutsideTheGame(it->path())) {
      it.disable_recursion_pending();
    } else if (it->is_regular_file() && (it->path().extension() == ".cpp" || it->path().extension() == ".h")) {
      std::ifstream in(it->path(), std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      out.push_back({fs::relative(it->path(), root).generic_string(), withoutComments(text.str())});
    }
  }
  return out;
}

namespace {

// The end of the bracketed span opening at `open`, past its closing bracket.
std::size_t closing(const std::string& code, std::size_t open, char opening, char closer) {
  int depth = 0;
  for (std::size_t i = open; i < code.size();) {
    const char c = code[i];
    if (c == '"' || c == '\'') {
      i = pastLiteral(code, i);
      continue;
    }
    if (c == opening) {
      ++depth;
    } else if (c == closer && --depth == 0) {
      return i + 1;
    }
    ++i;
  }
  return code.size();
}

// The literals of a bracketed span and its identifiers like kName (also as
// Class::kName); with `flat` only those at the span's own level, none inside
// nested calls.
void literalsIn(const std::string& span, bool flat, std::vector<std::string>& literals,
                std::vector<std::string>& constants) {
  int depth = 0;
  for (std::size_t i = 0; i < span.size();) {
    const char c = span[i];
    const bool own = !flat || depth == 1;
    if (c == '"' || c == '\'') {
      const std::size_t end = pastLiteral(span, i);
      if (c == '"' && own) {
        literals.push_back(span.substr(i + 1, end - i - 2));
      }
      i = end;
      continue;
    }
    if (isWordCharacter(c)) {
      std::size_t end = i;
      while (end < span.size() && isWordCharacter(span[end])) {
        ++end;
      }
      if (c == 'k' && end > i + 1 && std::isupper(static_cast<unsigned char>(span[i + 1])) && own) {
        constants.push_back(span.substr(i, end - i));
      }
      i = end;
      continue;
    }
    depth += (c == '(' || c == '[' || c == '{') ? 1 : (c == ')' || c == ']' || c == '}') ? -1 : 0;
    ++i;
  }
}

}  // namespace

const char* kindName(Kind kind) {
  static const char* const names[] = {"state", "art", "tool", "shell", "enemy", "sound", "tune", "model"};
  return names[static_cast<int>(kind)];
}


Scanner::Scanner(std::vector<Source> sources) : mSources(std::move(sources)) {
  // The text of each constant kName = "..." among the sources.
  for (const Source& source : mSources) {
    const std::string& code = source.code;
    forEachIdentifier(code, [&](std::size_t begin, std::size_t end) {
      if (code[begin] != 'k' || end == begin + 1 || !std::isupper(static_cast<unsigned char>(code[begin + 1]))) {
        return;
      }
      const std::size_t equals = skipSpaces(code, end);
      const std::size_t quote = skipSpaces(code, equals + 1);
      if (equals < code.size() && code[equals] == '=' && quote < code.size() && code[quote] == '"') {
        mConstants[code.substr(begin, end - begin)].insert(code.substr(quote + 1, pastLiteral(code, quote) - quote - 2));
      }
    });
  }
}

void Scanner::add(Found& found, Kind kind, const std::string& utf8, const std::string& where) const {
  found.emplace(std::make_pair(kind, Platform::utf8ToSjis(utf8)), where + " (" + utf8 + ")");
}

void Scanner::addConstant(Found& found, Kind kind, const std::string& constant, const std::string& where) const {
  const auto values = mConstants.find(constant);
  if (values != mConstants.end()) {
    for (const std::string& value : values->second) {
      add(found, kind, value, where);
    }
  }
}

Found Scanner::scan() {
  Found found;
  mTablesSeen.clear();
  for (const Source& source : mSources) {
    forEachIdentifier(source.code, [&](std::size_t begin, std::size_t end) {
      const std::string word = source.code.substr(begin, end - begin);
      scanCall(source, begin, end, word, found);
      scanTable(source, end, word, found);
    });
  }
  for (const auto& [constant, kind] : kNamedConstants) {
    addConstant(found, kind, constant, "the constant " + std::string(constant));
  }
  return found;
}

std::vector<std::string> Scanner::missedTables() const {
  std::vector<std::string> faults;
  for (std::size_t k = 0; k < std::size(kTables); ++k) {
    const auto seen = mTablesSeen.find(k);
    if (seen == mTablesSeen.end() || seen->second != 1) {
      faults.push_back(std::string("the table of names ") + kTables[k].name + " is gone or doubled: update kTables");
    }
  }
  return faults;
}

namespace {

bool matches(const Lookup& lookup, const std::string& code, std::size_t begin, std::size_t open) {
  const std::string before(lookup.before);
  if (begin < before.size() || code.compare(begin - before.size(), before.size(), before) != 0) {
    return false;
  }
  const std::string first(lookup.firstArgument);
  const std::size_t argument = skipSpaces(code, open + 1);
  return first.empty() || (code.compare(argument, first.size(), first) == 0 &&
                           !isWordCharacter(argument + first.size() < code.size() ? code[argument + first.size()] : ' '));
}

}  // namespace

void Scanner::scanCall(const Source& source, std::size_t begin, std::size_t end, const std::string& word,
                       Found& found) const {
  const std::string& code = source.code;
  const std::size_t open = skipSpaces(code, end);
  if (open >= code.size() || code[open] != '(') {
    return;
  }
  for (const Lookup& lookup : kLookups) {
    if (word != lookup.callee || !matches(lookup, code, begin, open)) {
      continue;
    }
    std::vector<std::string> literals;
    std::vector<std::string> constants;
    literalsIn(code.substr(open, closing(code, open, '(', ')') - open), true, literals, constants);
    for (const std::string& literal : literals) {
      add(found, lookup.kind, literal, source.path);
    }
    for (const std::string& constant : constants) {
      addConstant(found, lookup.kind, constant, source.path);
    }
  }
}

// A table's definition: its name, anything but ';', '=' or '{', then "= {".
void Scanner::scanTable(const Source& source, std::size_t end, const std::string& word, Found& found) {
  const std::string& code = source.code;
  for (std::size_t k = 0; k < std::size(kTables); ++k) {
    if (word != kTables[k].name) {
      continue;
    }
    const std::size_t equals = code.find_first_of(";={", end);
    const std::size_t open = equals == std::string::npos ? code.size() : skipSpaces(code, equals + 1);
    if (equals == std::string::npos || code[equals] != '=' || open >= code.size() || code[open] != '{') {
      continue;
    }
    std::vector<std::string> literals;
    std::vector<std::string> constants;
    literalsIn(code.substr(open, closing(code, open, '{', '}') - open), false, literals, constants);
    const std::vector<Kind>& columns = kTables[k].columns;
    for (std::size_t i = 0; i < literals.size(); ++i) {
      add(found, columns[i % columns.size()], literals[i], source.path + " " + kTables[k].name);
    }
    ++mTablesSeen[k];
  }
}

std::vector<std::string> faultsOfTheList(const Found& found) {
  std::vector<std::string> faults;
  std::set<std::pair<Kind, std::string>> listed;
  for (const LookedUpNames::Name& name : LookedUpNames::kInCode) {
    listed.emplace(name.kind, name.name);
  }
  for (const auto& [key, where] : found) {
    if (!listed.count(key)) {
      faults.push_back(where + " looks up the " + kindName(key.first) + " that LookedUpNames::kInCode lacks");
    }
  }
  for (const auto& key : listed) {
    if (!found.count(key)) {
      faults.push_back(std::string("LookedUpNames::kInCode lists a ") + kindName(key.first) +
                       " no code looks up: " + Platform::sjisToUtf8(key.second));
    }
  }
  return faults;
}

std::vector<std::string> selfCheck() {
  // Sources are UTF-8 whatever the literals of this file are compiled to.
  const char8_t* text =
      u8"constexpr const char* kTuneName = \"曲\";\n"
      u8"// holds(\"註\")\n/* holds(\"註\") */ x = holds(\"毒\") + holds(kNone);\n"
      u8"findState(text(node, \"key\")); fromName(flag ? \"甲\" : \"乙\");\n"
      u8"music->play(kTuneName); playSound(\"a(\", 0);";
  Scanner scanner({{"a.cpp", withoutComments(reinterpret_cast<const char*>(text))}});
  std::set<std::string> names;
  for (const auto& [key, where] : scanner.scan()) {
    names.insert(std::string(kindName(key.first)) + " " + key.second);
  }
  if (names == std::set<std::string>{"state 毒", "art 甲", "art 乙", "tune 曲", "sound a("}) {
    return {};
  }
  std::string read = "the scan misreads its own sample: it finds";
  for (const std::string& name : names) {
    read += " [" + Platform::sjisToUtf8(name) + "]";
  }
  return {read};
}

}  // namespace NameScan
