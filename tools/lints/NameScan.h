#pragma once

// Reads the game's sources as text for the names that lookup calls and
// tables of names give as literals (or as constants kName = "...").

#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "LookedUpNames.h"

namespace NameScan {

using LookedUpNames::Kind;

struct Source {
  std::string path;
  std::string code;  // without comments
};

// (kind, Shift-JIS name) -> where it is looked up.
using Found = std::map<std::pair<Kind, std::string>, std::string>;

// The text without comments; string literals kept.
std::string withoutComments(const std::string& text);

// The game's source files under the project's root, by relative path.
std::vector<Source> gameSources(const std::filesystem::path& root);

const char* kindName(Kind kind);

class Scanner {
 public:
  explicit Scanner(std::vector<Source> sources);

  Found scan();
  // Tables of names met other than once since the scan began.
  std::vector<std::string> missedTables() const;

 private:
  void add(Found& found, Kind kind, const std::string& utf8, const std::string& where) const;
  void addConstant(Found& found, Kind kind, const std::string& constant, const std::string& where) const;
  void scanCall(const Source& source, std::size_t begin, std::size_t end, const std::string& word, Found& found) const;
  void scanTable(const Source& source, std::size_t end, const std::string& word, Found& found);

  std::vector<Source> mSources;
  std::map<std::string, std::set<std::string>> mConstants;
  std::map<std::size_t, int> mTablesSeen;  // by index in the tables of names
};

// The faults of LookedUpNames::kInCode against the names found: a name
// looked up that the list lacks, a name listed that nothing looks up.
std::vector<std::string> faultsOfTheList(const Found& found);

// The scan over a fixed text, against what it must find there: comments are
// no code, nested calls are not the lookup's own arguments, and constants
// stand for their text. Empty when the scan reads as it should.
std::vector<std::string> selfCheck();

}  // namespace NameScan
