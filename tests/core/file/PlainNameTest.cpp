#include <gtest/gtest.h>

#include "core/file/PlainName.h"

// ソ is 83 5C; 0x80 stands alone, so the '\' after it is a separator.
TEST(PlainNameTest, ANameWithASeparatorOrALeadingDotIsNotPlain) {
  const std::pair<const char*, bool> cases[] = {
      {"hall", true},   {"ソ能", true},      {"a.b..c", true},   {nullptr, false}, {"", false},
      {".", false},     {"..", false},       {".hidden", false}, {"/abs", false},  {"a/b", false},
      {"a\\b", false},  {"\x80\\x", false}, {"\x83/", false},   {"ソ\\", false},
  };
  for (const auto& [name, plain] : cases) {
    EXPECT_EQ(Game::isPlainName(name), plain) << (name ? name : "null");
  }
}
