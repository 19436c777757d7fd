// A tune file of arbitrary bytes streamed as the music thread streams it, on
// libvorbisfile: loaded, opened, decoded across its loop point and faded
// out, with the output pulled between ticks.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/sound/OggBGM.h"
#include "file/nml/NmlDocument.h"

namespace {

struct MusicSetUp {
  MusicSetUp() {
    Engine::Sound::Manager::create();
    table.loadFromText("bgm/bgm.txt", "A{ file a; loop 1/20; crossFade 1/50; }");
  }
  ~MusicSetUp() { Engine::Sound::Manager::destroy(); }
  PlatformFake::ScopedFakeBackend backend;
  std::unique_ptr<Platform::VorbisDecoder> decoder = Platform::createVorbisFileDecoder();
  Game::NmlDocument table;
};

void tick(Game::OggBGM& bgm) {
  while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
  }
  bgm.tick();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MusicSetUp setUp;
  setUp.backend->fakeFileSystem.put("bgm/a.ogg", std::vector<std::uint8_t>(data, data + size));
  Engine::FileIO::ManagerOptions options;
  options.startLoader = false;
  options.abortOnError = false;
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  {
    Game::OggBGMOptions bgmOptions;
    bgmOptions.clock = &setUp.backend->fakeClock;
    bgmOptions.decoder = setUp.decoder.get();
    bgmOptions.startThread = false;
    Game::OggBGM bgm(setUp.table, "bgm/bgm.txt", bgmOptions);
    bgm.setVolume(100);
    bgm.play("A");
    for (int i = 0; i < 40; ++i) {
      tick(bgm);
      setUp.backend->fakeAudioOutput.pull(4096);
    }
    bgm.stop();
    setUp.backend->fakeClock.now += 1000;
    for (int i = 0; i < 3; ++i) {
      tick(bgm);
    }
  }
  Engine::FileIO::ManagerImpl::destroy();
  setUp.backend->fakeDebugOutput.lines.clear();
  return 0;
}
