#pragma once

#include "Engine/Base/Types.h"

namespace Game::MusicMixing {

// The player attenuation for a music volume of 0 to 100 and a tune's volume
// factor: -100 dB divided by 2^(1/10) once per step of their product, so 100
// gives about -0.1 (truncated to 0) and 0 or below gives -100.
Engine::i32 attenuation(Engine::i32 volume, double tuneVolume);

// Blends the end of a tune into its loop point inside one decoded chunk of
// 16-bit samples: loopOffset (bytes) is where the tune's end meets the loop
// start. The crossLength bytes before it fade into the ones after it, which
// are then cut out. Returns the chunk's new length in bytes.
Engine::i32 spliceLoop(Engine::u8* chunk, Engine::i32 length, Engine::i32 loopOffset, Engine::i32 crossLength);

}  // namespace Game::MusicMixing
