// A tune file of arbitrary bytes streamed as the music thread streams it, on
// libvorbisfile: loaded, opened, decoded across its loop point and faded
// out, with the output pulled between ticks.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/sound/OggBGM.h"
#include "core/file/nml/NmlDocument.h"
#include "fuzz/FuzzStop.h"

namespace {

struct MusicSetUp {
  MusicSetUp() {
    Engine::Sound::Manager::create();
    table.loadFromText("bgm/bgm.txt", "A{ file a; loop 1/20; crossFade 1/50; }");
  }
  ~MusicSetUp() { Engine::Sound::Manager::destroy(); }
  FuzzSupport::FuzzBackend backend{FuzzSupport::OnStop::Abort};
  std::unique_ptr<Platform::VorbisDecoder> decoder = Platform::createVorbisFileDecoder();
  Game::NmlDocument table;
};

void tick(Game::OggBGM& bgm) {
  while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
  }
  bgm.tick();
}

}  // namespace

// When the headers of a damaged stream fail part way, the system's
// libvorbisfile forgets the list of stream serial numbers its header read
// allocated (8 bytes for one stream; seed failed_open_leak.ogg). The function
// that allocates it is internal to the library and has no symbol; the
// suppression names the call it happens under, ov_open_callbacks (the open the
// decoder makes), so leaks while decoding or in our own code still stop the run.
// The library has no frame pointers: allocation stacks are unwound the slow
// way, or they would end at the library and never show that call.
extern "C" const char* __lsan_default_suppressions() { return "leak:ov_open_callbacks\n"; }
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

#ifdef MARROWDEEP_LIBFUZZER
// A mutated page fails its checksum and the decoder drops it, so mutations
// would hardly ever reach the Vorbis layer: after each mutation every whole
// page gets its checksum anew (the CRC-32 of the Ogg framing, polynomial
// 0x04C11DB7, not reflected, over the page with the checksum field zero).
namespace {

std::uint32_t oggCrc(const std::uint8_t* bytes, std::size_t size) {
  static const std::vector<std::uint32_t> table = [] {
    std::vector<std::uint32_t> made(256);
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t r = i << 24;
      for (int bit = 0; bit < 8; ++bit) {
        r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
      }
      made[i] = r;
    }
    return made;
  }();
  std::uint32_t crc = 0;
  for (std::size_t i = 0; i < size; ++i) {
    crc = (crc << 8) ^ table[((crc >> 24) ^ bytes[i]) & 0xFF];
  }
  return crc;
}

constexpr std::size_t kPageHeader = 27;
constexpr std::size_t kChecksumAt = 22;

void resealPages(std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  while (at + kPageHeader <= size) {
    if (std::memcmp(data + at, "OggS", 4) != 0) {
      ++at;
      continue;
    }
    const std::size_t segments = data[at + kPageHeader - 1];
    std::size_t length = kPageHeader + segments;
    if (at + length > size) {
      return;
    }
    for (std::size_t i = 0; i < segments; ++i) {
      length += data[at + kPageHeader + i];
    }
    if (at + length > size) {
      return;
    }
    std::memset(data + at + kChecksumAt, 0, 4);
    const std::uint32_t crc = oggCrc(data + at, length);
    for (int i = 0; i < 4; ++i) {
      data[at + kChecksumAt + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    }
    at += length;
  }
}

}  // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int) {
  const std::size_t mutated = LLVMFuzzerMutate(data, size, maxSize);
  resealPages(data, mutated);
  return mutated;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MusicSetUp setUp;
  setUp.backend.startInput();
  setUp.backend.fakeFileSystem.put("bgm/a.ogg", std::vector<std::uint8_t>(data, data + size));
  Engine::FileIO::ManagerOptions options;
  options.startLoader = false;  // a tune that cannot be read halts, as in the game: a finding
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  {
    Game::OggBGMOptions bgmOptions;
    bgmOptions.clock = &setUp.backend.fakeClock;
    bgmOptions.decoder = setUp.decoder.get();
    bgmOptions.startThread = false;
    Game::OggBGM bgm(setUp.table, "bgm/bgm.txt", bgmOptions);
    bgm.setVolume(100);
    bgm.play("A");
    // The first fills of the ring decode a short tune across its loop point
    // already; little is pulled, since mixing the output tests nothing here
    // and would take most of each run.
    for (int i = 0; i < 16; ++i) {
      tick(bgm);
      setUp.backend.fakeAudioOutput.pull(512);
    }
    bgm.stop();
    setUp.backend.fakeClock.now += 1000;
    for (int i = 0; i < 3; ++i) {
      tick(bgm);
    }
  }
  Engine::FileIO::ManagerImpl::destroy();
  return 0;
}
