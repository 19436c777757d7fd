#include "core/file/nml/NmlWriter.h"

#include <cstring>

#include "core/string/ShiftJis.h"
#include "core/string/String.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kReservedOutput = 0x40000;
constexpr char kEscapeChar = static_cast<char>(0xFF);

bool breaksAnyText(char c) {
  return c == ';' || c == '{' || c == '}' || c == '\t' || c == '\r' || c == '\n' || c == kEscapeChar;
}

}  // namespace

void NmlWriter::write(const NmlNode& root, String& out, bool pretty) {
  NmlWriter writer(pretty);
  writer.mText.reserve(kReservedOutput);
  writer.writeLines(root, pretty ? 0 : -1);
  writer.mText.push_back('\0');
  const auto size = static_cast<i32>(writer.mText.size());
  out.reserve(size > kReservedOutput ? size : kReservedOutput);
  out.assign(writer.mText.data());
}

void NmlWriter::indent(i32 depth) {
  for (i32 i = 0; i < depth; ++i) {
    put('\t');
  }
}

void NmlWriter::lineEnd(i32 depth) {
  if (depth >= 0) {
    put('\r');
    put('\n');
  }
}

void NmlWriter::putText(const char* text) { mText.insert(mText.end(), text, text + std::strlen(text)); }

void NmlWriter::writeNode(const NmlNode& node, i32 depth) {
  indent(depth - 1);
  putEscaped(node.name(), Context::kName);
  put('{');
  lineEnd(depth);
  writeLines(node, depth);
  indent(depth - 1);
  put('}');
  lineEnd(depth);
}

void NmlWriter::writeLines(const NmlNode& node, i32 depth) {
  for (NmlNode::AttributeList::Iterator it(node.attributes()); !it.isEnd(); it.next()) {
    const NmlAttribute& line = *it.value();
    indent(depth);
    putEscaped(line.key(), Context::kKey);
    for (i32 i = 0; i < line.itemCount(); ++i) {
      put(i == 0 ? ' ' : ',');
      putEscaped(line.item(i), i == 0 ? Context::kFirstItem : Context::kItem);
    }
    put(';');
    lineEnd(depth);
  }
  for (NmlNode::ChildList::Iterator it(node.children()); !it.isEnd(); it.next()) {
    writeNode(*it.value(), depth >= 0 ? depth + 1 : -1);
  }
}

void NmlWriter::putEscaped(const char* text, Context context) {
  // Only a token's first bytes can start a comment or be skipped as blanks.
  const bool atTokenStart = context == Context::kName || context == Context::kKey;
  if (atTokenStart && text[0] == '/' && text[1] == '/') {
    put(kEscapeChar);
  }
  for (const char* p = text; *p != '\0';) {
    const char c = *p;
    if (ShiftJis::isLeadByte(c)) {
      if (p[1] == '\0') {
        put(kEscapeChar);  // else it would swallow the separator after it
        put(c);
        ++p;
      } else {
        put(c);
        put(p[1]);
        p += 2;
      }
      continue;
    }
    const bool leading = p == text;
    const bool escape = breaksAnyText(c) || (c == ',' && (context == Context::kItem || context == Context::kFirstItem)) ||
                        (c == ' ' && (context == Context::kKey || (leading && context != Context::kItem)));
    if (escape) {
      put(kEscapeChar);
    }
    put(c);
    ++p;
  }
}

}  // namespace Game
