// Copies the source tree for the clang fuzz build with its narrow string and
// character literals in Shift-JIS (code page 932), as g++ -fexec-charset=CP932
// compiles them: clang knows no execution character set but UTF-8.
//   sjiscopy SOURCE_DIR DEST_DIR
//
// The non-ASCII text of a literal becomes octal escapes of its Shift-JIS bytes
// (glibc's iconv, as g++ converts), so the copy stays UTF-8 and a 0x5C trail
// byte cannot start an escape. A raw literal with non-ASCII text becomes an
// ordinary one, line for line. u8, u, U and L literals, comments and every
// other file are copied as they are. Files whose copy would not change are
// not rewritten (incremental builds), and files gone from the source are
// removed from the copy (the copy's globs must not find them).

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace {

// Left in the copy's root: the build refuses a clang fuzz build without it.
constexpr const char* kMarker = ".sjis-literals";

[[noreturn]] void fail(const std::string& where, const char* what) {
  std::fprintf(stderr, "sjiscopy: %s: %s\n", where.c_str(), what);
  std::exit(1);
}

class Transcoder {
 public:
  Transcoder(std::string_view text, std::string where) : mIn(text), mWhere(std::move(where)) {
    mIconv = iconv_open("CP932", "UTF-8");
    if (mIconv == reinterpret_cast<iconv_t>(-1)) {
      fail(mWhere, "iconv has no UTF-8 to CP932 conversion");
    }
  }
  ~Transcoder() { iconv_close(mIconv); }
  Transcoder(const Transcoder&) = delete;
  Transcoder& operator=(const Transcoder&) = delete;

  std::string run() {
    while (mAt < mIn.size()) {
      const char c = mIn[mAt];
      if (c == '/' && peek(1) == '/') {
        lineComment();
      } else if (c == '/' && peek(1) == '*') {
        blockComment();
      } else if (c == '"' || c == '\'') {
        literal(true);
      } else if (isIdentifierStart(c)) {
        identifier();
      } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
        number();
      } else {
        copy(1);
      }
    }
    return mOut;
  }

 private:
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }
  static bool isIdentifierStart(char c) { return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool isIdentifierPart(char c) { return isIdentifierStart(c) || isDigit(c); }
  static bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

  char peek(std::size_t ahead) const { return mAt + ahead < mIn.size() ? mIn[mAt + ahead] : '\0'; }
  void copy(std::size_t n) {
    mOut.append(mIn.substr(mAt, n));
    mAt += n;
  }
  std::string here() const {
    std::size_t line = 1;
    for (std::size_t k = 0; k < mAt && k < mIn.size(); ++k) {
      line += mIn[k] == '\n';
    }
    return mWhere + ":" + std::to_string(line);
  }

  void lineComment() {
    while (mAt < mIn.size() && !(mIn[mAt] == '\n' && mIn[mAt - 1] != '\\')) {
      copy(1);
    }
  }

  void blockComment() {
    const std::size_t end = mIn.find("*/", mAt + 2);
    copy(end == std::string_view::npos ? mIn.size() - mAt : end + 2 - mAt);
  }

  // A pp-number, with digit separators that must not open a character literal.
  void number() {
    while (mAt < mIn.size()) {
      const char c = mIn[mAt];
      const char previous = mOut.empty() ? '\0' : mOut.back();
      const bool sign = (c == '+' || c == '-') && (previous == 'e' || previous == 'E' || previous == 'p' || previous == 'P');
      if (isIdentifierPart(c) || c == '.' || sign || (c == '\'' && isIdentifierPart(peek(1)))) {
        copy(1);
      } else {
        break;
      }
    }
  }

  void identifier() {
    std::size_t end = mAt;
    while (end < mIn.size() && isIdentifierPart(mIn[end])) {
      ++end;
    }
    const std::string_view word = mIn.substr(mAt, end - mAt);
    const char next = end < mIn.size() ? mIn[end] : '\0';
    if (next != '"' && next != '\'') {
      copy(word.size());
      return;
    }
    const bool raw = next == '"' && !word.empty() && word.back() == 'R' &&
                     (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR");
    const bool encoded = word == "u8" || word == "u" || word == "U" || word == "L";
    if (word == "R") {
      mAt = end;
      rawLiteral(true);
    } else if (raw) {
      copy(word.size());
      rawLiteral(false);
    } else if (encoded) {
      copy(word.size());
      literal(false);
    } else {
      copy(word.size());
    }
  }

  // An ordinary literal from its opening quote; escapes are kept as written.
  void literal(bool convert) {
    const char quote = mIn[mAt];
    copy(1);
    while (mAt < mIn.size()) {
      const char c = mIn[mAt];
      if (c == '\\') {
        if (convert && (peek(1) == 'u' || peek(1) == 'U')) {
          fail(here(), "a universal character name in a narrow literal: write the character itself");
        }
        copy(2);
      } else if (c == quote) {
        copy(1);
        return;
      } else if (c == '\n') {
        fail(here(), "a literal runs to the end of its line");
      } else if (isHigh(c) && convert) {
        appendShiftJis(highRun());
      } else {
        copy(1);
      }
    }
    fail(here(), "a literal runs to the end of the file");
  }

  std::string_view highRun() {
    const std::size_t start = mAt;
    while (mAt < mIn.size() && isHigh(mIn[mAt])) {
      ++mAt;
    }
    return mIn.substr(start, mAt - start);
  }

  // R"delim(...)delim" from its quote; converted, it becomes an ordinary
  // literal whose lines are joined by concatenation, so line numbers stay.
  void rawLiteral(bool convert) {
    const std::size_t open = mIn.find('(', mAt);
    if (open == std::string_view::npos) {
      fail(here(), "a raw literal without its opening parenthesis");
    }
    const std::string close = ")" + std::string(mIn.substr(mAt + 1, open - mAt - 1)) + "\"";
    const std::size_t end = mIn.find(close, open + 1);
    if (end == std::string_view::npos) {
      fail(here(), "a raw literal without its end");
    }
    const std::string_view body = mIn.substr(open + 1, end - open - 1);
    const bool plain = std::none_of(body.begin(), body.end(), isHigh);
    if (!convert || plain) {
      if (convert) {
        mOut += 'R';
      }
      copy(end + close.size() - mAt);
      return;
    }
    mOut += '"';
    mAt = open + 1;
    while (mAt < end) {
      const char c = mIn[mAt];
      if (isHigh(c)) {
        const std::size_t start = mAt;
        while (mAt < end && isHigh(mIn[mAt])) {
          ++mAt;
        }
        appendShiftJis(mIn.substr(start, mAt - start));
        continue;
      }
      if (c == '\n') {
        mOut += "\\n\"\n\"";
      } else if (c == '\\' || c == '"') {
        mOut += '\\';
        mOut += c;
      } else if (c == '\r' || c == '\t') {
        mOut += c == '\r' ? "\\r" : "\\t";
      } else {
        mOut += c;
      }
      ++mAt;
    }
    mOut += '"';
    mAt = end + close.size();
  }

  // UTF-8 text as octal escapes of its Shift-JIS bytes (three digits each, so
  // a digit after it cannot join the escape).
  void appendShiftJis(std::string_view utf8) {
    std::string input(utf8);
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    iconv(mIconv, nullptr, nullptr, nullptr, nullptr);
    if (iconv(mIconv, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
      fail(here(), "text with no Shift-JIS form in a narrow literal");
    }
    for (const char* p = output.data(); p < out; ++p) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned char>(*p));
      mOut += escape;
    }
  }

  std::string_view mIn;
  std::string mWhere;
  std::size_t mAt = 0;
  std::string mOut;
  iconv_t mIconv;
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeIfChanged(const fs::path& path, const std::string& bytes) {
  if (fs::exists(path) && readFile(path) == bytes) {
    return;
  }
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    fail(path.string(), "cannot be written");
  }
}

bool isSource(const fs::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".cpp" || extension == ".h" || extension == ".hpp" || extension == ".cc" || extension == ".inl";
}

// Build trees and the repository's own files stay out of the copy.
bool isSkipped(const fs::path& relative) {
  const std::string top = relative.begin()->string();
  return top.starts_with(".") || top.starts_with("build");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sjiscopy SOURCE_DIR DEST_DIR\n");
    return 2;
  }
  const fs::path source = fs::canonical(argv[1]);
  const fs::path dest = fs::absolute(argv[2]);
  std::set<fs::path> copied;
  for (auto it = fs::recursive_directory_iterator(source); it != fs::recursive_directory_iterator(); ++it) {
    const fs::path relative = fs::relative(it->path(), source);
    if (isSkipped(relative)) {
      if (it->is_directory()) {
        it.disable_recursion_pending();
      }
      continue;
    }
    if (!it->is_regular_file()) {
      continue;
    }
    const std::string bytes = readFile(it->path());
    writeIfChanged(dest / relative, isSource(relative) ? Transcoder(bytes, relative.string()).run() : bytes);
    fs::permissions(dest / relative, it->status().permissions());
    copied.insert(relative);
  }
  writeIfChanged(dest / kMarker, "Narrow literals in this copy are Shift-JIS (tools/sjiscopy).\n");
  copied.insert(kMarker);
  std::vector<fs::path> stale;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dest)) {
    if (entry.is_regular_file() && !copied.contains(fs::relative(entry.path(), dest))) {
      stale.push_back(entry.path());
    }
  }
  for (const fs::path& path : stale) {
    fs::remove(path);
  }
  return 0;
}
