// Parsing and left-to-right evaluation of expressions. The scanner takes a
// two-byte Shift-JIS character whole wherever it skips or copies text, so a
// trail byte is never read as a digit, a letter, a bracket or a ':'.

#include "records/expression/Expression.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "core/math/IntegerMath.h"
#include "core/string/ShiftJis.h"
#include "core/variable/VariableTable.h"
#include "records/expression/ExpressionTerm.h"
#include "records/expression/FunctionId.h"
#include "records/expression/GameResolver.h"

namespace Game {

using Engine::i32;
using Engine::u32;
namespace FunctionId = ExpressionStuff::FunctionId;

namespace {

constexpr i32 kMaxOperatorCharacters = 2;
constexpr i32 kMinusCode = 1;

Expression::WideLiteralWatch gWideLiteralWatch = nullptr;

bool isOperatorCharacter(char c) {
  switch (c) {
    case '+': case '-': case '*': case '/': case '%': case '>':
    case '<': case '=': case '!': case '&': case '|': case '^':
      return true;
    default:
      return false;
  }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Letters and the few symbols between them start a function name.
bool startsName(char c) { return c >= 'A' && c <= 'z'; }

using IntegerMath::divide;
using IntegerMath::remainder;
using IntegerMath::wrap;

i32 truth(bool value) { return value ? 1 : 0; }

inline i32 applyOperator(i32 code, i32 a, i32 v) {
  const u32 ua = static_cast<u32>(a);
  const u32 uv = static_cast<u32>(v);
  switch (code) {
    case 1: return wrap(ua - uv);
    case 2: return wrap(ua * uv);
    case 3: return divide(a, v);
    case 4: return remainder(a, v);
    case 5: return wrap(ua << (uv & 31u));
    case 6: return a >> (uv & 31u);
    case 7: return a & v;
    case 8: return a | v;
    case 9: return a ^ v;
    case 10: return truth(a > v);
    case 11: return truth(a < v);
    case 12: return truth(a == v);
    case 13: return truth(a != v);
    case 14: return truth(a != 0 && v != 0);
    case 15: return truth(a != 0 || v != 0);
    case 16: return truth(a >= v);
    case 17: return truth(a <= v);
    default: return wrap(ua + uv);
  }
}

// int, flag and floor read from the running game's variable table through
// the call's binding; false when the call is another function or the game
// keeps no table.
inline bool readVariable(const ExpressionCall& call, i32* out) {
  if (call.id != FunctionId::kInt && call.id != FunctionId::kFlag && call.id != FunctionId::kFloor) {
    return false;
  }
  const VariableTable* table = ExpressionStuff::GameResolver::current().variableTable();
  if (!table) {
    return false;
  }
  ExpressionCall::Binding& binding = call.binding;
  if (binding.table != table || binding.generation != table->generation()) {
    const char* name = call.id == FunctionId::kFloor ? "floor" : call.arguments.text(0);
    binding.table = table;
    binding.generation = table->generation();
    binding.integer = call.id == FunctionId::kFlag ? nullptr : table->integerSlot(name);
    binding.flagOn = call.id == FunctionId::kFlag && table->isFlagOn(name);
  }
  if (call.id == FunctionId::kFlag) {
    *out = truth(binding.flagOn);
  } else {
    *out = binding.integer ? *binding.integer : 0;
  }
  return true;
}

}  // namespace

// Reads terms from one text; brackets recurse through parseList.
class Expression::Parser {
 public:
  explicit Parser(const char* text) : mText(text) {}

  i32 position() const { return mPosition; }

  // Stops on the terminator, on the end of the text or on a ')' that closes
  // nothing, without consuming it.
  void parseList(Expression& out, char terminator) {
    while (mText[mPosition] != terminator) {
      Term term;
      if (!parseTerm(term)) {
        break;
      }
      out.mTerms.push_back(std::move(term));
    }
  }

 private:
  char current() const { return mText[mPosition]; }
  void skipCharacter() { mPosition += ShiftJis::characterSize(mText + mPosition); }

  // False at the end of the text or a ')': no term.
  bool parseTerm(Term& term) {
    char operators[kMaxOperatorCharacters + 1] = {};
    i32 operatorCount = 0;
    for (;;) {
      const char c = current();
      if (isOperatorCharacter(c)) {
        // The buffer holds two: further characters are dropped.
        if (operatorCount < kMaxOperatorCharacters) {
          operators[operatorCount++] = c;
        }
        ++mPosition;
      } else if (isDigit(c)) {
        parseNumber(term, operatorCode(operators) == kMinusCode);
        break;
      } else if (startsName(c)) {
        parseCall(term);
        break;
      } else if (c == '(') {
        parseGroup(term);
        break;
      } else if (c == '\0' || c == ')') {
        return false;
      } else {
        skipCharacter();
      }
    }
    term.op = operatorCode(operators);
    return true;
  }

  // The digits wrap at 32 bits; one past a signed value is told to the watch.
  void parseNumber(Term& term, bool subtracted) {
    const std::uint64_t largest = std::uint64_t{std::numeric_limits<i32>::max()} + (subtracted ? 1u : 0u);
    u32 value = 0;
    bool wide = false;
    while (isDigit(current())) {
      const std::uint64_t next = std::uint64_t{value} * 10u + static_cast<u32>(current() - '0');
      wide = wide || next > largest;
      value = static_cast<u32>(next);
      ++mPosition;
    }
    term.number = wrap(value);
    if (wide && gWideLiteralWatch) {
      gWideLiteralWatch(mText);
    }
  }

  void parseGroup(Term& term) {
    ++mPosition;
    if (mDepth >= kMaxNesting) {
      skipToClosingBracket();
      term.number = 0;
      return;
    }
    ++mDepth;
    term.group = std::make_unique<Expression>();
    parseList(*term.group, ')');
    --mDepth;
    if (current() == ')') {
      ++mPosition;
    }
    term.kind = Term::Kind::kGroup;
  }

  // Name up to '(', then the argument text up to the matching ')'; either
  // scan stops at the end of the text.
  void parseCall(Term& term) {
    const i32 nameStart = mPosition;
    while (current() != '(' && current() != '\0') {
      skipCharacter();
    }
    const std::string name(mText + nameStart, static_cast<std::size_t>(mPosition - nameStart));
    if (current() == '(') {
      ++mPosition;
    }
    const i32 argumentStart = mPosition;
    const i32 argumentEnd = skipToClosingBracket();
    const std::string arguments(mText + argumentStart, static_cast<std::size_t>(argumentEnd - argumentStart));
    term.call = std::make_unique<Term::Call>();
    term.call->id = functionId(name.c_str());
    term.call->arguments.parse(arguments.c_str());
    term.kind = Term::Kind::kCall;
  }

  // Past the ')' that closes a bracket already opened (nested ones counted);
  // returns where the bracketed text ends.
  i32 skipToClosingBracket() {
    i32 open = 0;
    for (;;) {
      const char c = current();
      if (c == '\0') {
        return mPosition;
      }
      if (c == ')' && open == 0) {
        ++mPosition;
        return mPosition - 1;
      }
      open += c == '(' ? 1 : c == ')' ? -1 : 0;
      skipCharacter();
    }
  }

  const char* mText;
  i32 mPosition = 0;
  i32 mDepth = 0;
};

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

i32 Expression::parse(const char* text, char terminator) {
  mTerms.clear();
  if (!text) {
    return terminator == '\0' ? 1 : 0;
  }
  Parser parser(text);
  parser.parseList(*this, terminator);
  const i32 stop = parser.position();
  // The end of the text counts as read only when it is the terminator asked for.
  return stop + (text[stop] != '\0' || terminator == '\0' ? 1 : 0);
}

void Expression::setConstant(i32 value) {
  mTerms.clear();
  Term term;
  term.number = value;
  mTerms.push_back(std::move(term));
}

void Expression::clear() { mTerms.clear(); }

bool Expression::isEmpty() const { return mTerms.empty(); }

i32 Expression::termCount() const { return static_cast<i32>(mTerms.size()); }

i32 Expression::evaluateWithGlue(ExpressionStuff::Glue* glue) const {
  i32 accumulator = 0;
  for (const Term& term : mTerms) {
    const i32 value = term.kind == Term::Kind::kNumber ? term.number : termValue(term, glue);
    accumulator = applyOperator(term.op, accumulator, value);
  }
  return accumulator;
}

i32 Expression::termValue(const Term& term, ExpressionStuff::Glue* glue) const {
  switch (term.kind) {
    case Term::Kind::kNumber:
      return term.number;
    case Term::Kind::kGroup:
      return term.group->evaluateWithGlue(glue);
    case Term::Kind::kCall: {
      i32 value = 0;
      const Term::Call& call = *term.call;
      if (glue && glue->resolve(&value, call.id, call.arguments)) {
        return value;
      }
      if (readVariable(call, &value)) {
        return value;
      }
      return evaluateGlobal(&value, call.id, call.arguments) ? value : 0;
    }
  }
  return 0;
}

i32 Expression::operatorCode(const char* text) {
  if (!text || text[0] == '\0') {
    return 0;
  }
  const char a = text[0];
  const char b = text[1];
  if (b == '\0') {
    switch (a) {
      case '-': return 1;
      case '*': return 2;
      case '/': return 3;
      case '%': return 4;
      case '&': return 7;
      case '|': return 8;
      case '^': return 9;
      case '>': return 10;
      case '<': return 11;
      case '=': return 12;
      case '!': return 13;
      default: return 0;
    }
  }
  if (text[2] != '\0') {
    return 0;
  }
  if (a == '<' && b == '<') return 5;
  if (a == '>' && b == '>') return 6;
  if (a == '=' && b == '=') return 12;
  if (a == '!' && b == '=') return 13;
  if (a == '&' && b == '&') return 14;
  if (a == '|' && b == '|') return 15;
  if (a == '>' && b == '=') return 16;
  if (a == '<' && b == '=') return 17;
  return 0;
}

i32 Expression::apply(i32 code, i32 a, i32 v) { return applyOperator(code, a, v); }

void Expression::watchWideLiterals(WideLiteralWatch watch) { gWideLiteralWatch = watch; }

}  // namespace Game
