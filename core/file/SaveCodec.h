#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game::SaveCodec {

// A packed save file is the LZ-compressed form of the payload with every byte
// inverted, followed by a 6-byte trailer over the plain payload: its length
// (4 bytes, most significant first), the sum of its bytes and their XOR.
constexpr Engine::i32 kTrailerSize = 6;
// Unpacked files (payload and trailer) stay below this size.
constexpr Engine::i32 kUnpackedLimit = 0x80000;

void makeTrailer(Engine::u8 out[kTrailerSize], const Engine::u8* data, Engine::i32 n);

// The bytes a packed file of fileSize bytes may expand to: (fileSize - 1)
// times 128, kept below kUnpackedLimit.
Engine::i32 unpackCapacity(Engine::i32 fileSize);

// Replaces out by the packed form of data[0, n) and returns its length, or
// -1 (out empty) when the packed file could not be unpacked again: the
// payload is too large, or compresses beyond what unpackCapacity allows.
Engine::i32 pack(std::vector<Engine::u8>& out, const Engine::u8* data, Engine::i32 n);

// Unpacks a file of inSize bytes into out[0, outCapacity) and returns the
// payload's length. Any file that is not a whole packed file (empty,
// truncated, damaged, a trailer that does not match, more than outCapacity
// bytes) gives 0; out's contents are then undefined.
Engine::i32 unpack(Engine::u8* out, Engine::i32 outCapacity, const Engine::u8* in, Engine::i32 inSize);

}  // namespace Game::SaveCodec
