#pragma once

#include <cstring>
#include <string>

#include "core/file/nml/NmlNode.h"

namespace NmlTestSupport {

// Every name, key and item of the tree in order, each led by its length, so
// that two trees dump alike only when they are alike.
inline std::string dump(const Game::NmlNode& node) {
  const auto text = [](const char* s) { return std::to_string(std::strlen(s)) + ":" + s; };
  std::string out = text(node.name()) + "{";
  for (int i = 0; i < node.attributeCount(); ++i) {
    out += text(node.attribute(i)->key()) + "=";
    for (int k = 0; k < node.attribute(i)->itemCount(); ++k) {
      out += text(node.attribute(i)->item(k)) + ",";
    }
    out += ";";
  }
  for (int i = 0; i < node.childCount(); ++i) {
    out += dump(*node.child(i));
  }
  return out + "}";
}

inline std::string written(const Game::NmlNode& node, bool pretty) {
  Game::String out;
  node.toString(out, pretty);
  return out.c_str() ? out.c_str() : "";
}

}  // namespace NmlTestSupport
