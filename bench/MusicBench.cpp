// Ten seconds of the title tune (22.05 kHz stereo Ogg Vorbis, looping at 1 s
// with its cross-fade) streamed as the music thread streams it and mixed to
// the 44.1 kHz output, against libvorbisfile decoding the same ten seconds
// straight into a buffer (seeking to the loop point at the end). The ratio is
// what streaming, ring writes and mixing add to the decoding itself.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/sound/OggBGM.h"
#include "core/file/nml/NmlDocument.h"

namespace music_bench {

constexpr std::size_t kOutputFrames = 441000;
constexpr std::size_t kTuneBytes = 22050 * 4 * 10;

std::vector<std::uint8_t> titleTune() {
  std::ifstream in(MARROWDEEP_GAME_DIR "/bgm/title.ogg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_MusicStreamTitleTune(benchmark::State& state) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeFileSystem.put("bgm/title.ogg", titleTune());
  Engine::FileIO::ManagerOptions options;
  options.startLoader = false;
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  Engine::Sound::Manager::create();
  const std::unique_ptr<Platform::VorbisDecoder> decoder = Platform::createVorbisFileDecoder();
  Game::NmlDocument table;
  table.loadFromText("bgm/bgm.txt", "T{ file title; loop 1; }");
  for (auto _ : state) {
    Game::OggBGMOptions bgmOptions;
    bgmOptions.clock = &backend->fakeClock;
    bgmOptions.decoder = decoder.get();
    bgmOptions.startThread = false;
    Game::OggBGM bgm(table, "bgm/bgm.txt", bgmOptions);
    bgm.setVolume(100);
    bgm.play("T");
    for (std::size_t frames = 0; frames < kOutputFrames; frames += 1024) {
      while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
      }
      bgm.tick();
      benchmark::DoNotOptimize(backend->fakeAudioOutput.pull(1024).data());
    }
  }
  Engine::Sound::Manager::destroy();
  Engine::FileIO::ManagerImpl::destroy();
}

void BM_VorbisFileDecodeTitleTune(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = titleTune();
  const std::unique_ptr<Platform::VorbisDecoder> decoder = Platform::createVorbisFileDecoder();
  std::vector<char> pcm(kTuneBytes);
  for (auto _ : state) {
    std::vector<std::uint8_t> copy = bytes;  // as the stream copies the file
    const std::unique_ptr<Platform::VorbisStream> stream = decoder->open(copy.data(), copy.size());
    std::size_t done = 0;
    while (done < pcm.size()) {
      const int piece = static_cast<int>(std::min<std::size_t>(0x10000, pcm.size() - done));
      const long got = stream->read(pcm.data() + done, piece);
      if (got > 0) {
        done += static_cast<std::size_t>(got);
      } else {
        stream->timeSeek(1.0);
      }
    }
    benchmark::DoNotOptimize(pcm.data());
  }
}

BENCHMARK(BM_MusicStreamTitleTune)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VorbisFileDecodeTitleTune)->Unit(benchmark::kMillisecond);

}  // namespace music_bench
