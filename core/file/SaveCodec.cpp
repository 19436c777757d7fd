#include "core/file/SaveCodec.h"

#include <algorithm>
#include <cstring>

#include "Engine/FileIO/Compression.h"

namespace Game::SaveCodec {

using Engine::i32;
using Engine::i64;
using Engine::u32;
using Engine::u8;

namespace {

// How many bytes each byte of a packed file may expand to.
constexpr i64 kExpansionPerByte = 128;

}  // namespace

void makeTrailer(u8 out[kTrailerSize], const u8* data, i32 n) {
  u8 sum = 0;
  u8 parity = 0;
  for (i32 i = 0; i < n; ++i) {
    sum = static_cast<u8>(sum + data[i]);
    parity = static_cast<u8>(parity ^ data[i]);
  }
  const u32 length = static_cast<u32>(n);
  out[0] = static_cast<u8>(length >> 24);
  out[1] = static_cast<u8>(length >> 16);
  out[2] = static_cast<u8>(length >> 8);
  out[3] = static_cast<u8>(length);
  out[4] = sum;
  out[5] = parity;
}

i32 unpackCapacity(i32 fileSize) {
  if (fileSize <= 1) {
    return 0;
  }
  return static_cast<i32>(std::min<i64>((fileSize - 1) * kExpansionPerByte, kUnpackedLimit - 1));
}

i32 pack(std::vector<u8>& out, const u8* data, i32 n) {
  out.clear();
  if (n < 0 || n >= kUnpackedLimit - kTrailerSize) {
    return -1;
  }
  std::vector<u8> plain(static_cast<std::size_t>(n) + kTrailerSize);
  for (i32 i = 0; i < n; ++i) {
    plain[static_cast<std::size_t>(i)] = static_cast<u8>(~data[i]);
  }
  makeTrailer(plain.data() + n, data, n);
  Engine::FileIO::compress(out, nullptr, plain.data(), static_cast<u32>(plain.size()));
  const i32 packedSize = static_cast<i32>(out.size());
  if (static_cast<i32>(plain.size()) > unpackCapacity(packedSize)) {
    out.clear();
    return -1;
  }
  return packedSize;
}

i32 unpack(u8* out, i32 outCapacity, const u8* in, i32 inSize) {
  if (inSize <= 0 || outCapacity < kTrailerSize) {
    return 0;
  }
  u32 produced = 0;
  if (!Engine::FileIO::decompress(out, static_cast<u32>(outCapacity), &produced, in, static_cast<u32>(inSize)) ||
      produced < static_cast<u32>(kTrailerSize)) {
    return 0;
  }
  const i32 n = static_cast<i32>(produced) - kTrailerSize;
  for (i32 i = 0; i < n; ++i) {
    out[i] = static_cast<u8>(~out[i]);
  }
  u8 expected[kTrailerSize];
  makeTrailer(expected, out, n);
  return std::memcmp(expected, out + n, kTrailerSize) == 0 ? n : 0;
}

}  // namespace Game::SaveCodec
