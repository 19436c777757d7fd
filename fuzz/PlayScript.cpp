// Play scripts: any bytes must parse to commands or to one error naming the
// file and line, and any commands must run to an end on any trace.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "root/play/PlayRunner.h"
#include "root/play/PlayScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Game::Play::Script script = Game::Play::parseScript(text, "fuzz.play");
  if (!script.error.empty() && (script.error.rfind("fuzz.play:", 0) != 0 || !script.commands.empty())) {
    std::abort();
  }
  Game::Play::PlayRunner runner(std::move(script.commands));
  // A short run on a trace whose scene changes: every wait either holds or
  // runs out, and keys stay within the 24 logical keys.
  for (int frame = 0; frame < 64 && runner.status() == Game::Play::PlayRunner::Status::kRunning; ++frame) {
    if (runner.nextKeys() >> 24 != 0) {
      std::abort();
    }
    runner.observe({{{"frame", std::to_string(frame)}, {"scene", frame < 8 ? "title" : "field"}}});
    (void)runner.takeShots();
  }
  return 0;
}
