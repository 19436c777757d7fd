// The declarations from the data file, the save form and the debug dump.

#include <cstdio>

#include "Engine/Base/Assert.h"
#include "core/variable/VariableTable.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kDumpNameWidth = 32;

VariableTable::FunctionHooks& functionHooks() {
  static VariableTable::FunctionHooks sHooks;
  return sHooks;
}

// A declaration line needs the name it declares; a data file without it is
// our own fault and stops the program naming the file and the line.
const char* declaredName(const NmlAttribute& line, const std::string& prefix, const char* fileName) {
  if (line.itemCount() < 1 || line.item(0)[0] == '\0') {
    char message[320];
    std::snprintf(message, sizeof message, "%s : a \"%s\" line in \"%.120s\" declares no name", fileName, line.key(),
                  prefix.c_str());
    Engine::halt(__FILE__, __LINE__, message);
  }
  return line.item(0);
}

// The expression is everything after the name: an expression holding commas
// was split into several items by the reader.
std::string expressionText(const NmlAttribute& line) {
  std::string text;
  for (i32 i = 1; i < line.itemCount(); ++i) {
    if (i > 1) {
      text += ',';
    }
    text += line.item(i);
  }
  return text;
}

String dumpName(const std::string& name) {
  String text(name.c_str());
  text.padRight(kDumpNameWidth);
  return text;
}

}  // namespace

void VariableTable::setFunctionHooks(FunctionHooks hooks) { functionHooks() = std::move(hooks); }

void VariableTable::loadDeclarations() {
  NmlDocument document;
  document.load(kDeclarationFile);
  declareFrom(document, kDeclarationFile);
}

void VariableTable::declareFrom(const NmlNode& root, const char* fileName) {
  clear();
  declare(root, "", false, false, fileName);
}

void VariableTable::declare(const NmlNode& node, const std::string& prefix, bool inheritable, bool isProtected,
                            const char* fileName) {
  std::string ownPrefix = prefix;
  if (const NmlAttribute* name = node.findAttribute("name")) {
    ownPrefix += name->item(0);
    ownPrefix += '.';
  }
  inheritable = inheritable || node.countAttributes("inheritable") > 0;
  isProtected = isProtected || node.countAttributes("protected") > 0;
  for (NmlNode::AttributeList::Iterator it(node.attributes()); !it.isEnd(); it.next()) {
    const NmlAttribute& line = *it.value();
    const std::string key = line.key();
    if (key == "int") {
      createInteger((ownPrefix + declaredName(line, ownPrefix, fileName)).c_str(), inheritable, isProtected);
    } else if (key == "str") {
      createString((ownPrefix + declaredName(line, ownPrefix, fileName)).c_str());
    } else if (key == "func") {
      const std::string name = ownPrefix + declaredName(line, ownPrefix, fileName);
      if (functionHooks().declare) {
        functionHooks().declare(name.c_str(), expressionText(line).c_str());
      }
    }
  }
  for (NmlNode::ChildList::Iterator it(node.children()); !it.isEnd(); it.next()) {
    if (std::string(it.value()->name()) == "class") {
      declare(*it.value(), ownPrefix, inheritable, isProtected, fileName);
    }
  }
}

void VariableTable::write(NmlNode& node) const {
  NmlNode& integers = *node.addChild("integer");
  for (const Integer& variable : mIntegers) {
    integers.addInt(variable.name.c_str(), variable.value);
  }
  NmlNode& strings = *node.addChild("string");
  for (const StringVariable& variable : mStrings) {
    strings.addAttribute(variable.name.c_str(), variable.value.c_str() ? variable.value.c_str() : "");
  }
  NmlNode& flags = *node.addChild("boolean");
  for (const std::string& name : mFlags) {
    flags.addAttribute(name.c_str());
  }
}

void VariableTable::read(const NmlNode& node) {
  loadDeclarations();
  readValues(node);
}

void VariableTable::readValues(const NmlNode& node) {
  for (NmlNode::ChildList::Iterator child(node.children()); !child.isEnd(); child.next()) {
    const NmlNode& part = *child.value();
    const std::string kind = part.name();
    for (NmlNode::AttributeList::Iterator it(part.attributes()); !it.isEnd(); it.next()) {
      const NmlAttribute& line = *it.value();
      if (kind == "integer") {
        if (!hasInteger(line.key())) {
          createInteger(line.key(), false, false);
        }
        integer(line.key()) = line.toInt(0);
      } else if (kind == "string") {
        if (!hasString(line.key())) {
          createString(line.key());
        }
        if (line.itemCount() > 0) {
          setString(line.key(), line.item(0));
        }
      } else if (kind == "boolean") {
        flagOn(line.key());
      }
    }
  }
}

void VariableTable::buildDump(std::vector<DumpRow>& rows) const {
  rows.clear();
  rows.push_back({String("-str----------------------"), 0});
  for (const StringVariable& variable : mStrings) {
    DumpRow row{dumpName(variable.name), 0};
    row.text.append(variable.value.c_str() ? variable.value.c_str() : "");
    rows.push_back(row);
  }
  rows.push_back({String("-int----------------------"), 0});
  for (std::size_t i = 0; i < mIntegers.size(); ++i) {
    const Integer& variable = mIntegers[i];
    DumpRow row{dumpName(variable.name), static_cast<i32>(i) + 1};
    row.text.appendInt(variable.value);
    row.text.append(variable.inheritable ? " inheritable" : "");
    row.text.append(variable.isProtected ? " protected" : "");
    rows.push_back(row);
  }
  if (functionHooks().dump) {
    std::vector<String> lines;
    functionHooks().dump(lines);
    for (const String& line : lines) {
      rows.push_back({line, 0});
    }
  }
  rows.push_back({String("-bool---------------------"), 0});
  for (const std::string& name : mFlags) {
    rows.push_back({String(name.c_str()), 0});
  }
}

}  // namespace Game
