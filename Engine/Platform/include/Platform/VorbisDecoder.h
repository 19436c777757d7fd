#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Platform {

// One Ogg Vorbis stream decoded from bytes that the caller keeps in memory,
// unchanged, for the stream's whole life.
class VorbisStream {
 public:
  virtual ~VorbisStream() = default;
  virtual int channels() const = 0;
  virtual int rate() const = 0;
  // The whole stream and the decoding position, in frames and in seconds.
  virtual std::int64_t pcmTotal() = 0;
  virtual std::int64_t pcmTell() = 0;
  virtual double timeTotal() = 0;
  virtual double timeTell() = 0;
  // False when the position cannot be reached (the position is then unknown).
  virtual bool timeSeek(double seconds) = 0;
  // Decodes at most size bytes of interleaved signed 16-bit little-endian
  // samples, whole frames only. The bytes written; 0 at the end of the stream,
  // negative where the stream is damaged.
  virtual long read(char* buffer, int size) = 0;
};

class VorbisDecoder {
 public:
  virtual ~VorbisDecoder() = default;
  // Null when the bytes are not an Ogg Vorbis stream.
  virtual std::unique_ptr<VorbisStream> open(const std::uint8_t* data, std::size_t size) = 0;
};

// The decoder over libvorbisfile, for backends and tests that want the real one.
std::unique_ptr<VorbisDecoder> createVorbisFileDecoder();

}  // namespace Platform
