#pragma once

#include <string>
#include <vector>

#include "presentation/widget/ListMenu.h"
#include "presentation/widget/Widget.h"

namespace WidgetTest {

// The texts of a list window's rows; "?" for a row that is no text.
inline std::vector<std::string> menuRows(const Game::ListMenu& menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < menu.itemCount(); ++i) {
    const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.item(i));
    const char* bytes = text ? text->text.c_str() : nullptr;
    texts.emplace_back(bytes ? bytes : "?");
  }
  return texts;
}

}  // namespace WidgetTest
