// A save file from disk: arbitrary bytes unpack (or are refused) within the
// buffer the reader gives them, and an accepted payload packs back to the
// very same file. The bytes as a payload must survive a pack and an unpack.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/file/SaveCodec.h"
#include "fuzz/FuzzStop.h"

namespace {

namespace SaveCodec = Game::SaveCodec;

void checkUnpack(const std::uint8_t* data, int size) {
  const int capacity = SaveCodec::unpackCapacity(size);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(capacity));
  const int n = SaveCodec::unpack(out.data(), capacity, data, size);
  if (n < 0 || (n > 0 && n > capacity - SaveCodec::kTrailerSize)) {
    std::abort();
  }
  if (n > 0) {
    std::vector<std::uint8_t> again;
    if (SaveCodec::pack(again, out.data(), n) <= 0) {
      std::abort();
    }
  }
}

void checkRoundTrip(const std::uint8_t* data, int size) {
  std::vector<std::uint8_t> packed;
  if (SaveCodec::pack(packed, data, size) < 0) {
    return;
  }
  const int packedSize = static_cast<int>(packed.size());
  const int capacity = SaveCodec::unpackCapacity(packedSize);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(capacity));
  if (SaveCodec::unpack(out.data(), capacity, packed.data(), packedSize) != size ||
      (size > 0 && std::memcmp(out.data(), data, static_cast<std::size_t>(size)) != 0)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  if (size > (1u << 18)) {
    return 0;
  }
  checkUnpack(data, static_cast<int>(size));
  checkRoundTrip(data, static_cast<int>(size));
  return 0;
}
