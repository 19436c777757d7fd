#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "Platform/VorbisDecoder.h"

namespace Game {

// A tune's Ogg Vorbis file held whole in memory, copied in a step at a time so
// that no tick of the music thread copies much, then decoded from there.
class OggFile {
 public:
  static constexpr Engine::i32 kCopyStep = 0x10000;

  void allocate(Engine::i32 size);
  // Copies the next step of source (size bytes as allocated); true once the
  // whole file is held.
  bool copyStep(const char* source);
  // What in the copy would trip the decoder (see findVorbisSetupFault), or
  // nullptr.
  const char* findFault() const;
  // Opens the decoder over the copy; false when it is not Ogg Vorbis.
  bool open(Platform::VorbisDecoder& decoder);
  bool isOpen() const { return mStream != nullptr; }
  Platform::VorbisStream& stream() { return *mStream; }
  // Lets go of the decoder and the copy.
  void close();

 private:
  std::vector<Engine::u8> mMemory;
  Engine::i32 mCopied = 0;
  std::unique_ptr<Platform::VorbisStream> mStream;
};

}  // namespace Game
