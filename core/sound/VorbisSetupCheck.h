#pragma once

#include <cstddef>

#include "Engine/Base/Types.h"

namespace Game {

// Reads an Ogg Vorbis file's pages as the decoder's framing reads them (pages
// whose checksum holds, packets joined per stream) and looks at every setup
// header's codebooks. libvorbis 1.3.7 takes a codebook whose code lengths do
// not form a whole prefix code at the header, fails to build it when decoding
// starts, and on its next attempt decodes with the books it left zeroed:
// a division by zero. Returns what is wrong, or nullptr when nothing the
// decoder would stumble on is found (bytes that are not Ogg at all pass: the
// decoder itself refuses them).
const char* findVorbisSetupFault(const Engine::u8* bytes, std::size_t size);

}  // namespace Game
