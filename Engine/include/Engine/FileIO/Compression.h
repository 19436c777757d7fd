#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// The byte-oriented LZ77 codec of the data archives and save files, followed
// by a byte scrambling keyed by the data's length.
//
// Stream tokens (before scrambling): a byte c below 128 copies the next c + 1
// bytes; a byte c of 128 or more and a byte d copy (c & 15) + 3 bytes from
// (((c & 0x70) << 4) | d) + 1 bytes back in the output.

// Replaces out by the scrambled compressed form of in[0, n). When bufferSize
// is given it receives the in-place bound: with the compressed bytes placed
// at the end of a buffer of that size, expanding from the buffer's start
// never overwrites bytes not yet read.
void compress(std::vector<u8>& out, u32* bufferSize, const u8* in, u32 n);

// The worst-case compressed size of n bytes (all literals).
u32 compressBound(u32 n);

// Expands the scrambled stream in[0, n) into out[0, outCapacity). The input
// is untrusted: a match reaching before the output's start, a match byte
// without its second byte or output beyond outCapacity stops the decoding
// and gives false. produced receives the bytes written either way.
bool decompress(u8* out, u32 outCapacity, u32* produced, const u8* in, u32 n);

// The scrambling step alone, keyed by n; out and in may be the same buffer.
void scramble(u8* out, const u8* in, u32 n);
void unscramble(u8* out, const u8* in, u32 n);

}  // namespace Engine::FileIO
