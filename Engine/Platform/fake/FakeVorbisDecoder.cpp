#include "PlatformFake/FakeVorbisDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace PlatformFake {

namespace {

constexpr char kMagic[8] = {'F', 'A', 'K', 'E', 'V', 'O', 'R', 'B'};
constexpr std::size_t kHeaderSize = sizeof kMagic + 8;

std::uint32_t readU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

class FakeVorbisStream : public Platform::VorbisStream {
 public:
  FakeVorbisStream(const FakeVorbisDecoder& decoder, int rate, int channels, const std::uint8_t* pcm,
                   std::size_t bytes)
      : mDecoder(decoder), mRate(rate), mChannels(channels), mPcm(pcm), mFrames(bytes / frameBytes()) {}

  int channels() const override { return mChannels; }
  int rate() const override { return mRate; }
  std::int64_t pcmTotal() override { return static_cast<std::int64_t>(mFrames); }
  std::int64_t pcmTell() override { return static_cast<std::int64_t>(mFrame); }
  double timeTotal() override { return static_cast<double>(mFrames) / mRate; }
  double timeTell() override { return static_cast<double>(mFrame) / mRate; }
  bool timeSeek(double seconds) override {
    const double frame = std::floor(seconds * mRate);
    if (mDecoder.failSeeks || frame < 0.0 || frame > static_cast<double>(mFrames)) {
      return false;
    }
    mFrame = static_cast<std::size_t>(frame);
    return true;
  }
  long read(char* buffer, int size) override {
    const auto asked = static_cast<std::size_t>(std::max(size, 0));
    const std::size_t wanted = std::min<std::size_t>(asked, FakeVorbisDecoder::kReadPiece);
    const std::size_t frames = std::min(wanted / frameBytes(), mFrames - mFrame);
    std::memcpy(buffer, mPcm + mFrame * frameBytes(), frames * frameBytes());
    mFrame += frames;
    return static_cast<long>(frames * frameBytes());
  }

 private:
  std::size_t frameBytes() const { return static_cast<std::size_t>(mChannels) * 2; }

  const FakeVorbisDecoder& mDecoder;
  int mRate;
  int mChannels;
  const std::uint8_t* mPcm;
  std::size_t mFrames;
  std::size_t mFrame = 0;
};

}  // namespace

std::vector<std::uint8_t> FakeVorbisDecoder::encode(int rate, int channels, const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> out(kMagic, kMagic + sizeof kMagic);
  appendU32(out, static_cast<std::uint32_t>(rate));
  appendU32(out, static_cast<std::uint32_t>(channels));
  for (const std::int16_t sample : samples) {
    const auto bits = static_cast<std::uint16_t>(sample);
    out.push_back(static_cast<std::uint8_t>(bits));
    out.push_back(static_cast<std::uint8_t>(bits >> 8));
  }
  return out;
}

std::unique_ptr<Platform::VorbisStream> FakeVorbisDecoder::open(const std::uint8_t* data, std::size_t size) {
  ++openCount;
  if (size < kHeaderSize || std::memcmp(data, kMagic, sizeof kMagic) != 0) {
    return nullptr;
  }
  const int rate = static_cast<int>(readU32(data + 8));
  const int channels = static_cast<int>(readU32(data + 12));
  if (rate <= 0 || (channels != 1 && channels != 2)) {
    return nullptr;
  }
  return std::make_unique<FakeVorbisStream>(*this, rate, channels, data + kHeaderSize, size - kHeaderSize);
}

}  // namespace PlatformFake
