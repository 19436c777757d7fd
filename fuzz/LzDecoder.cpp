// Decodes arbitrary bytes as a compressed stream into a buffer whose size the
// first two bytes give, then checks that the same bytes survive a round trip.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Engine/FileIO/Compression.h"
#include "fuzz/FuzzStop.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  if (size < 2 || size > (1u << 20)) {
    return 0;
  }
  const std::uint32_t capacity = data[0] | static_cast<std::uint32_t>(data[1]) << 8;
  const auto n = static_cast<std::uint32_t>(size - 2);
  std::vector<std::uint8_t> out(capacity);
  std::uint32_t produced = 0;
  Engine::FileIO::decompress(out.data(), capacity, &produced, data + 2, n);
  if (produced > capacity) {
    std::abort();
  }

  std::vector<std::uint8_t> packed;
  std::uint32_t bufferSize = 0;
  Engine::FileIO::compress(packed, &bufferSize, data + 2, n);
  std::vector<std::uint8_t> back(n);
  if (bufferSize < n || !Engine::FileIO::decompress(back.data(), n, &produced, packed.data(),
                                                     static_cast<std::uint32_t>(packed.size())) ||
      produced != n || (n > 0 && std::memcmp(back.data(), data + 2, n) != 0)) {
    std::abort();
  }
  return 0;
}
