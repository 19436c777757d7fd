// "config.ini" as the player (or a broken disk) left it: any bytes must load
// without a fault, and whatever loads must save and load back the same. It is
// the player's file: any data-error stop is a finding (fuzz/FuzzStop.h).

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "core/string/String.h"
#include "fuzz/FuzzText.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Game::KeyInput::setDefaultBindings();
  Game::Config config;
  config.loadFromText(text.data());

  Game::String saved;
  config.toText(saved);
  Game::Config reloaded;
  if (!reloaded.loadFromText(saved.c_str())) {
    std::abort();
  }
  Game::String resaved;
  reloaded.toText(resaved);
  if (!(saved == resaved)) {
    std::abort();
  }
  return 0;
}
