// Text tables from the data files: arbitrary bytes (lead bytes before a
// separator, a line feed or the terminator included) must split into rows and
// cells without reading past the text, and every cell must read back. The
// first byte is the separator.

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/text/TextTable.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  if (size < 1) {
    return 0;
  }
  const char separator = static_cast<char>(data[0]);
  std::vector<char> text(size, '\0');
  std::memcpy(text.data(), data + 1, size - 1);

  Game::TextTable table;
  table.parse(text.data(), separator);
  std::size_t bytes = 0;
  for (Engine::i32 row = 0; row < table.rowCount(); ++row) {
    for (Engine::i32 column = 0; column < table.row(row)->cellCount(); ++column) {
      bytes += std::strlen(table.cellText(row, column));
    }
  }
  if (bytes >= size) {
    __builtin_trap();  // cells hold only bytes of the text
  }
  return 0;
}
