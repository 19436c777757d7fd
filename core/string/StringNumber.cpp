// Numbers in and out of text. Every integer, float and boolean of the data
// files is read by parseNumber: decimal, "x" hexadecimal and "b" base-2
// integers joined by a left-to-right chain of + - * / % > < = ! without
// precedence. Any other byte is skipped, the decimal point included, so data
// writes fractions as quotients (1/2).

#include <cstdint>
#include <cstring>
#include <limits>

#include "core/string/String.h"
#include "core/string/Decimal.h"
#include "core/string/NumberLiterals.h"
#include "core/math/IntegerMath.h"
#include "core/string/StringRef.h"

namespace Game {

using Engine::f32;
using Engine::i32;
using Engine::u32;

namespace {

using IntegerMath::divide;
using IntegerMath::remainder;
using IntegerMath::wrap;

struct Accumulators {
  i32 integer = 0;
  f32 real = 0.0f;
};

void applyOperator(char op, i32 operand, Accumulators& acc) {
  const f32 real = static_cast<f32>(operand);
  switch (op) {
    case '+':
      acc.integer = wrap(static_cast<u32>(acc.integer) + static_cast<u32>(operand));
      acc.real += real;
      break;
    case '-':
      acc.integer = wrap(static_cast<u32>(acc.integer) - static_cast<u32>(operand));
      acc.real -= real;
      break;
    case '*':
      acc.integer = wrap(static_cast<u32>(acc.integer) * static_cast<u32>(operand));
      acc.real *= real;
      break;
    case '/':
      acc.integer = divide(acc.integer, operand);
      acc.real /= real;  // IEEE: infinity or NaN for a zero divisor
      break;
    case '%':
      acc.integer = remainder(acc.integer, operand);  // the float is left as it is
      break;
    case '>':
      acc.integer = acc.integer > operand ? 1 : 0;
      acc.real = acc.real > real ? 1.0f : 0.0f;
      break;
    case '<':
      acc.integer = acc.integer < operand ? 1 : 0;
      acc.real = acc.real < real ? 1.0f : 0.0f;
      break;
    case '=':
      acc.integer = acc.integer == operand ? 1 : 0;
      acc.real = acc.real == real ? 1.0f : 0.0f;
      break;
    default:  // '!'
      acc.integer = acc.integer != operand ? 1 : 0;
      acc.real = acc.real == real ? 0.0f : 1.0f;
      break;
  }
}

bool isOperator(char c) {
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '>':
    case '<':
    case '=':
    case '!':
      return true;
    default:
      return false;
  }
}

// The value of c as a digit of the base, or -1.
i32 digitValue(char c, i32 base) {
  if (c >= '0' && c <= '9') {
    const i32 value = c - '0';
    return value < base ? value : -1;
  }
  if (base == 16 && c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  return -1;
}

// The widest literal that fits 32 bits: hexadecimal and base-2 ones are bit
// patterns (colours fill all 32), a decimal one is a signed value, one more
// after a '-'.
bool literalFits(u32 operand, bool exceeded, i32 base, char op) {
  if (exceeded) {
    return false;
  }
  if (base != 10) {
    return true;
  }
  const u32 limit = static_cast<u32>(std::numeric_limits<i32>::max()) + (op == '-' ? 1u : 0u);
  return operand <= limit;
}

// Hands every literal of the chain to take (the operator before it, '+' for
// the first; its value wrapped to 32 bits; whether it fits 32 bits).
template <class Take>
void scanLiterals(const char* text, Take&& take) {
  u32 operand = 0;
  bool exceeded = false;
  i32 base = 10;
  char pending = '+';
  for (const char* p = text ? text : ""; ; ++p) {
    const char c = *p;
    if (c == '\0' || isOperator(c)) {
      take(pending, operand, literalFits(operand, exceeded, base, pending));
      if (c == '\0') {
        break;
      }
      pending = c;
      base = 10;
      operand = 0;
      exceeded = false;
    } else if (base == 10 && (c == 'x' || c == 'b')) {
      base = c == 'x' ? 16 : 2;  // digits read so far carry on in the new base
    } else if (const i32 digit = digitValue(c, base); digit >= 0) {
      const std::uint64_t wide = std::uint64_t{operand} * static_cast<u32>(base) + static_cast<u32>(digit);
      exceeded = exceeded || wide > std::numeric_limits<u32>::max();
      operand = static_cast<u32>(wide);
    }
  }
}

}  // namespace

void String::parseNumber(i32* outInt, f32* outFloat, const char* text) {
  Accumulators acc;
  scanLiterals(text, [&acc](char op, u32 operand, bool) { applyOperator(op, wrap(operand), acc); });
  if (outInt) {
    *outInt = acc.integer;
  }
  if (outFloat) {
    *outFloat = acc.real;
  }
}

bool NumberLiterals::fit(const char* text) {
  bool fits = true;
  scanLiterals(text, [&fits](char, u32, bool literalFits) { fits = fits && literalFits; });
  return fits;
}

i32 String::parseInt(const char* text) {
  i32 value = 0;
  parseNumber(&value, nullptr, text);
  return value;
}

f32 String::parseFloat(const char* text) {
  f32 value = 0.0f;
  parseNumber(nullptr, &value, text);
  return value;
}

i32 String::toInt() const { return parseInt(mBuffer); }

f32 String::toFloat() const { return parseFloat(mBuffer); }

bool String::toBool() const {
  if (equals("true")) {
    return true;
  }
  if (equals("false")) {
    return false;
  }
  return toInt() != 0;
}

namespace {

// Decimal text of value into digits (at least 12 bytes); returns its length.
i32 decimalText(i32 value, char* digits) {
  char reversed[12];
  i32 count = 0;
  u32 magnitude = value < 0 ? 0u - static_cast<u32>(value) : static_cast<u32>(value);
  do {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  i32 length = 0;
  if (value < 0) {
    digits[length++] = '-';
  }
  while (count > 0) {
    digits[length++] = reversed[--count];
  }
  digits[length] = '\0';
  return length;
}

}  // namespace

void String::appendInt(i32 value) {
  char digits[12];
  decimalText(value, digits);
  append(digits);
}

void String::assignInt(i32 value) { assignNumber(value, 0, false); }

void String::assignNumber(i32 value, i32 width, bool zeroPad) {
  char digits[12];
  const i32 length = decimalText(value, digits);
  if (width <= length) {
    assign(width <= 0 ? digits : digits + (length - width));
    return;
  }
  const std::size_t padding = static_cast<std::size_t>(width - length);
  char* field = new char[static_cast<std::size_t>(width) + 1];
  std::memset(field, zeroPad ? '0' : ' ', padding);
  std::memcpy(field + padding, digits, static_cast<std::size_t>(length) + 1);
  assign(field);
  delete[] field;
}

namespace {

constexpr i32 kMaxDecimalDigits = 10;

}  // namespace

bool parseDecimal(const char* text, i32& out) {
  const bool negative = text[0] == '-';
  const char* digits = negative ? text + 1 : text;
  Engine::i64 value = 0;
  i32 count = 0;
  for (; digits[count] != '\0'; ++count) {
    const char c = digits[count];
    if (c < '0' || c > '9' || count >= kMaxDecimalDigits) {
      return false;
    }
    value = value * 10 + (c - '0');
  }
  value = negative ? -value : value;
  if (count == 0 || value < std::numeric_limits<i32>::min() || value > std::numeric_limits<i32>::max()) {
    return false;
  }
  out = static_cast<i32>(value);
  return true;
}

}  // namespace Game
