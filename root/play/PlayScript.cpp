#include "root/play/PlayScript.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace Game::Play {

namespace {

// The logical keys by their default keyboard keys, in key order.
constexpr std::array<std::string_view, 24> kKeyNames = {
    "up", "right", "down", "left", "c",  "x",  "z",  "a",  "ctrl", "space", "q",  "w",
    "s",  "d",     "escape", "f1", "f2", "f3", "f4", "f5", "f6",   "f7",    "f8", "f9"};
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kAliases = {
    {{"decide", "x"}, {"cancel", "z"}}};

struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) {
      ++at;
    }
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') {
      ++at;
    }
    if (at > start) {
      words.push_back(line.substr(start, at - start));
    }
  }
  return words;
}

int number(std::string_view word, int low, int high, const char* what) {
  int value = 0;
  const auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (fault != std::errc() || end != word.data() + word.size() || value < low || value > high) {
    throw ParseError(std::string(what) + " must be a number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not '" + std::string(word) + "'");
  }
  return value;
}

std::uint32_t keys(std::string_view word) {
  std::uint32_t mask = 0;
  std::size_t start = 0;
  while (start <= word.size()) {
    const std::size_t plus = std::min(word.find('+', start), word.size());
    const std::string_view name = word.substr(start, plus - start);
    const std::uint32_t bit = keyBit(name);
    if (bit == 0) {
      throw ParseError("unknown key '" + std::string(name) + "'");
    }
    mask |= bit;
    start = plus + 1;
  }
  return mask;
}

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

void expectWords(const std::vector<std::string_view>& words, std::size_t low, std::size_t high) {
  if (words.size() < low || words.size() > high) {
    throw ParseError("'" + std::string(words[0]) + "' takes " + std::to_string(low - 1) +
                     (high > low ? " or " + std::to_string(high - 1) : std::string()) + " argument(s)");
  }
}

Command wait(const std::vector<std::string_view>& words) {
  expectWords(words, 2, 3);
  const std::size_t equals = words[1].find('=');
  if (equals == std::string_view::npos || equals == 0 || equals + 1 == words[1].size()) {
    throw ParseError("wait needs FIELD=VALUE, not '" + std::string(words[1]) + "'");
  }
  Command command;
  command.kind = CommandKind::kWait;
  command.field = words[1].substr(0, equals);
  command.value = words[1].substr(equals + 1);
  if (command.field == "frame") {
    number(command.value, 0, kMaxFrames, "a frame");
  }
  command.frames = words.size() == 3 ? number(words[2], 1, kMaxFrames, "a wait's limit") : kDefaultWaitLimit;
  return command;
}

Command keyCommand(const std::vector<std::string_view>& words, CommandKind kind) {
  expectWords(words, kind == CommandKind::kHold ? 3 : 2, 3);
  Command command;
  command.kind = kind;
  command.keys = keys(words[1]);
  command.frames = words.size() == 3 ? number(words[2], 1, kMaxFrames, "a frame count") : 1;
  return command;
}

Command simpleCommand(const std::vector<std::string_view>& words) {
  Command command;
  if (words[0] == "idle") {
    expectWords(words, 2, 2);
    command.kind = CommandKind::kIdle;
    command.frames = number(words[1], 1, kMaxFrames, "a frame count");
  } else if (words[0] == "shot") {
    expectWords(words, 2, 2);
    for (const char c : words[1]) {
      if (!isNameChar(c)) {
        throw ParseError("a shot's name takes letters, digits, '_' and '-' only");
      }
    }
    command.kind = CommandKind::kShot;
    command.field = words[1];
  } else if (words[0] == "end") {
    expectWords(words, 1, 1);
    command.kind = CommandKind::kEnd;
  } else {
    throw ParseError("unknown command '" + std::string(words[0]) + "'");
  }
  return command;
}

Command command(const std::vector<std::string_view>& words) {
  if (words[0] == "wait") {
    return wait(words);
  }
  if (words[0] == "press") {
    return keyCommand(words, CommandKind::kPress);
  }
  if (words[0] == "hold") {
    return keyCommand(words, CommandKind::kHold);
  }
  return simpleCommand(words);
}

// Reads lines into blocks; a closing brace repeats its block into the one
// around it.
class Parser {
 public:
  explicit Parser(std::string_view text) : mText(text) {}

  std::vector<Command> run() {
    mBlocks.emplace_back();
    for (std::size_t at = 0; at <= mText.size();) {
      const std::size_t end = std::min(mText.find('\n', at), mText.size());
      ++mLine;
      readLine(mText.substr(at, end - at));
      at = end + 1;
    }
    if (mBlocks.size() > 1) {
      mLine = mOpenLines.back();
      throw ParseError("'{' is never closed");
    }
    return std::move(mBlocks.back());
  }

  int line() const { return mLine; }

 private:
  void readLine(std::string_view line) {
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> words = splitWords(line);
    if (words.empty()) {
      return;
    }
    if (words[0] == "repeat") {
      openBlock(words);
    } else if (words[0] == "}") {
      closeBlock(words);
    } else {
      Command read = command(words);
      read.line = mLine;
      add(std::vector<Command>{std::move(read)});
    }
  }

  void openBlock(const std::vector<std::string_view>& words) {
    if (words.size() != 3 || words[2] != "{") {
      throw ParseError("repeat needs a count and '{'");
    }
    if (static_cast<int>(mBlocks.size()) > kMaxDepth) {
      throw ParseError("repeats nest deeper than " + std::to_string(kMaxDepth));
    }
    mCounts.push_back(number(words[1], 1, kMaxRepeat, "a repeat count"));
    mOpenLines.push_back(mLine);
    mBlocks.emplace_back();
  }

  void closeBlock(const std::vector<std::string_view>& words) {
    if (words.size() != 1 || mBlocks.size() < 2) {
      throw ParseError("'}' without its repeat");
    }
    std::vector<Command> block = std::move(mBlocks.back());
    mBlocks.pop_back();
    const int count = mCounts.back();
    mCounts.pop_back();
    mOpenLines.pop_back();
    if (!block.empty() && static_cast<std::size_t>(count) > kMaxCommands / block.size()) {
      throw ParseError("more than " + std::to_string(kMaxCommands) + " commands once repeated");
    }
    std::vector<Command> repeated;
    for (int i = 0; i < count; ++i) {
      repeated.insert(repeated.end(), block.begin(), block.end());
    }
    add(std::move(repeated));
  }

  void add(std::vector<Command> commands) {
    std::vector<Command>& into = mBlocks.back();
    if (into.size() + commands.size() > kMaxCommands) {
      throw ParseError("more than " + std::to_string(kMaxCommands) + " commands once repeated");
    }
    into.insert(into.end(), std::make_move_iterator(commands.begin()), std::make_move_iterator(commands.end()));
  }

  std::string_view mText;
  int mLine = 0;
  std::vector<std::vector<Command>> mBlocks;
  std::vector<int> mCounts;
  std::vector<int> mOpenLines;
};

}  // namespace

std::uint32_t keyBit(std::string_view name) {
  for (const auto& [alias, key] : kAliases) {
    if (name == alias) {
      name = key;
    }
  }
  for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
    if (kKeyNames[i] == name) {
      return 1u << i;
    }
  }
  return 0;
}

Script parseScript(std::string_view text, const std::string& fileName) {
  Script script;
  Parser parser(text);
  try {
    script.commands = parser.run();
  } catch (const ParseError& error) {
    script.commands.clear();
    script.error = fileName + ":" + std::to_string(parser.line()) + ": " + error.what();
  }
  return script;
}

}  // namespace Game::Play
