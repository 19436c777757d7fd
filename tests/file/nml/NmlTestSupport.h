#pragma once

#include <gtest/gtest.h>

#include <string>

#include "file/nml/NmlNode.h"

namespace NmlTestSupport {

// Names, lines and items of both trees, compared in order; the first
// difference is reported with its path.
inline ::testing::AssertionResult sameTree(const Game::NmlNode& a, const Game::NmlNode& b, const std::string& path = "") {
  const std::string here = path + "/" + a.name();
  if (std::string(a.name()) != b.name()) {
    return ::testing::AssertionFailure() << here << ": name differs from " << b.name();
  }
  if (a.attributeCount() != b.attributeCount() || a.childCount() != b.childCount()) {
    return ::testing::AssertionFailure() << here << ": " << a.attributeCount() << " lines and " << a.childCount()
                                         << " children against " << b.attributeCount() << " and " << b.childCount();
  }
  for (int i = 0; i < a.attributeCount(); ++i) {
    const Game::NmlAttribute& x = *a.attribute(i);
    const Game::NmlAttribute& y = *b.attribute(i);
    if (std::string(x.key()) != y.key() || x.itemCount() != y.itemCount()) {
      return ::testing::AssertionFailure() << here << ": line " << i << " key '" << x.key() << "' (" << x.itemCount()
                                           << " items) against '" << y.key() << "' (" << y.itemCount() << ")";
    }
    for (int k = 0; k < x.itemCount(); ++k) {
      if (std::string(x.item(k)) != y.item(k)) {
        return ::testing::AssertionFailure() << here << ": line " << i << " item " << k << " '" << x.item(k)
                                             << "' against '" << y.item(k) << "'";
      }
    }
  }
  for (int i = 0; i < a.childCount(); ++i) {
    auto result = sameTree(*a.child(i), *b.child(i), here);
    if (!result) {
      return result;
    }
  }
  return ::testing::AssertionSuccess();
}

inline std::string written(const Game::NmlNode& node, bool pretty) {
  Game::String out;
  node.toString(out, pretty);
  return out.c_str() ? out.c_str() : "";
}

}  // namespace NmlTestSupport
