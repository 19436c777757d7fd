// Number texts of the data files and the settings file: any bytes must
// evaluate without a fault (division by zero and overflow included).

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/string/NumberLiterals.h"
#include "core/string/String.h"
#include "fuzz/FuzzText.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Engine::i32 integer = 0;
  Engine::f32 real = 0.0f;
  Game::String::parseNumber(&integer, &real, text.data());
  const Game::String value(text.data());
  if (value.toInt() != integer) {
    std::abort();
  }
  (void)value.toBool();
  (void)Game::NumberLiterals::fit(text.data());
  return 0;
}
