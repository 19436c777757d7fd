// A tune file of arbitrary bytes streamed as the music thread streams it, on
// libvorbisfile: loaded, opened, decoded across its loop point and faded
// out, with the output pulled between ticks.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/sound/OggBGM.h"
#include "file/nml/NmlDocument.h"
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MusicSetUp setUp;
  setUp.backend.startInput();
  setUp.backend.fakeFileSystem.put("bgm/a.ogg", std::vector<std::uint8_t>(data, data + size));
  Engine::FileIO::ManagerOptions options;
  options.startLoader = false;
  options.abortOnError = false;
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
