// libFuzzer harness of the TGA reader. A decoded image must also survive
// the texture preparation and a TGA write and read unchanged.

#include <cstdint>
#include <cstdlib>

#include "Engine/Graphics/ImageFile.h"
#include "Engine/Graphics/MipChain.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  using namespace Engine::Graphics;
  // Small sides keep each run fast; the limit itself is tested elsewhere.
  const ImageReadResult result = readTga("fuzz.tga", data, size, 256);
  if (!result.ok()) {
    return 0;
  }
  const Image& image = result.image;
  if (buildTextureLevels(image).empty()) {
    std::abort();
  }
  const std::vector<Engine::u8> file = writeTga(sourceOf(image), true);
  const ImageReadResult back = readTga("fuzz.tga", file.data(), file.size());
  if (!back.ok() || back.image.pixels != image.pixels) {
    std::abort();
  }
  return 0;
}
