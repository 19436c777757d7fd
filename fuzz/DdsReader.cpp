// libFuzzer harness of the DDS reader. A decoded image must also survive
// the texture preparation and a DDS write and read unchanged.

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
  const ImageReadResult result = readImage("fuzz.dds", data, size, 256);
  if (!result.ok()) {
    return 0;
  }
  const Image& image = result.image;
  if (buildTextureLevels(image).empty()) {
    std::abort();
  }
  const std::vector<Engine::u8> file = writeDds(sourceOf(image), true);
  const ImageReadResult back = readDds("fuzz.dds", file.data(), file.size());
  if (!back.ok() || back.image.pixels != image.pixels) {
    std::abort();
  }
  return 0;
}
