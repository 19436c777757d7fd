// Message texts from the data files through the Shift-JIS layout operations:
// arbitrary bytes (lead bytes cut off by the terminator included) must never
// be read or written past the text. The first two bytes pick a width and a
// character count.

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/string/String.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  if (size < 2) {
    return 0;
  }
  const auto width = static_cast<Engine::i32>(data[0] % 64) - 1;
  const auto count = static_cast<Engine::i32>(data[1] % 64);
  std::vector<char> text(size - 1, '\0');
  std::memcpy(text.data(), data + 2, size - 2);

  Engine::i32 lines = 0;
  Engine::i32 widest = 0;
  Game::String::measureLines(&lines, &widest, text.data(), '\n');

  Game::String wrapped(text.data());
  wrapped.wrapLines(width);
  Game::String shortened(text.data());
  shortened.ellipsize(count);
  shortened.cutToDirectory();
  return 0;
}
