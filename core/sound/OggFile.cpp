#include "core/sound/OggFile.h"

#include <algorithm>
#include <cstring>

#include "core/sound/VorbisSetupCheck.h"

namespace Game {

using Engine::i32;

void OggFile::allocate(i32 size) {
  mMemory.assign(static_cast<std::size_t>(std::max(size, 0)), 0);
  mCopied = 0;
}

bool OggFile::copyStep(const char* source) {
  const i32 size = static_cast<i32>(mMemory.size());
  const i32 step = std::min(kCopyStep, size - mCopied);
  if (step > 0) {
    std::memcpy(mMemory.data() + mCopied, source + mCopied, static_cast<std::size_t>(step));
    mCopied += step;
  }
  return mCopied == size;
}

const char* OggFile::findFault() const { return findVorbisSetupFault(mMemory.data(), mMemory.size()); }

bool OggFile::open(Platform::VorbisDecoder& decoder) {
  mStream = decoder.open(mMemory.data(), mMemory.size());
  return isOpen();
}

void OggFile::close() {
  mStream.reset();
  mMemory.clear();
  mMemory.shrink_to_fit();
  mCopied = 0;
}

}  // namespace Game
