#include <vorbis/vorbisfile.h>

#include "MemorySource.h"
#include "Platform/VorbisDecoder.h"

namespace Platform::Ogg {

namespace {

MemorySource& sourceOf(void* datasource) { return *static_cast<MemorySource*>(datasource); }

size_t readCallback(void* destination, size_t size, size_t count, void* datasource) {
  return sourceOf(datasource).read(destination, size, count);
}

int seekCallback(void* datasource, ogg_int64_t offset, int whence) {
  return sourceOf(datasource).seek(offset, whence);
}

int closeCallback(void*) { return 0; }

long tellCallback(void* datasource) { return sourceOf(datasource).tell(); }

constexpr ov_callbacks kMemoryCallbacks = {readCallback, seekCallback, closeCallback, tellCallback};

class VorbisFileStream : public VorbisStream {
 public:
  VorbisFileStream(const std::uint8_t* data, std::size_t size) { mSource = MemorySource{data, size, 0}; }
  ~VorbisFileStream() override {
    if (mOpen) {
      ov_clear(&mFile);
    }
  }
  VorbisFileStream(const VorbisFileStream&) = delete;
  VorbisFileStream& operator=(const VorbisFileStream&) = delete;

  // On failure libvorbisfile has already cleared the file.
  bool open() {
    mOpen = ov_open_callbacks(&mSource, &mFile, nullptr, 0, kMemoryCallbacks) == 0;
    if (mOpen) {
      const vorbis_info* info = ov_info(&mFile, -1);
      mChannels = info ? info->channels : 0;
      mRate = info ? static_cast<int>(info->rate) : 0;
    }
    return mOpen && (mChannels == 1 || mChannels == 2) && mRate > 0;
  }

  int channels() const override { return mChannels; }
  int rate() const override { return mRate; }
  std::int64_t pcmTotal() override { return ov_pcm_total(&mFile, -1); }
  std::int64_t pcmTell() override { return ov_pcm_tell(&mFile); }
  double timeTotal() override { return ov_time_total(&mFile, -1); }
  double timeTell() override { return ov_time_tell(&mFile); }
  bool timeSeek(double seconds) override { return ov_time_seek(&mFile, seconds) == 0; }
  long read(char* buffer, int size) override {
    int section = 0;
    return ov_read(&mFile, buffer, size, 0, 2, 1, &section);
  }

 private:
  MemorySource mSource;  // libvorbisfile keeps its address
  OggVorbis_File mFile{};
  bool mOpen = false;
  int mChannels = 0;
  int mRate = 0;
};

class VorbisFileDecoder : public VorbisDecoder {
 public:
  std::unique_ptr<VorbisStream> open(const std::uint8_t* data, std::size_t size) override {
    auto stream = std::make_unique<VorbisFileStream>(data, size);
    if (!stream->open()) {
      return nullptr;
    }
    return stream;
  }
};

}  // namespace

}  // namespace Platform::Ogg

namespace Platform {

std::unique_ptr<VorbisDecoder> createVorbisFileDecoder() { return std::make_unique<Ogg::VorbisFileDecoder>(); }

}  // namespace Platform
