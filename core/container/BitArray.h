#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// A packed set of flags: bit i is bit (i mod 8) of byte i / 8, counting from
// the least significant bit. Indices are not range-tested.
class BitArray {
 public:
  BitArray() = default;
  ~BitArray() { release(); }
  BitArray(const BitArray&) = delete;
  BitArray& operator=(const BitArray&) = delete;

  // Drops the old bits; the new ones start clear.
  void setSize(Engine::i32 count) {
    release();
    if (count > 0) {
      const auto bytes = static_cast<Engine::u32>(count - 1) / 8 + 1;
      mBits = new Engine::u8[bytes]();
      mCount = count;
    }
  }

  void release() {
    delete[] mBits;
    mBits = nullptr;
    mCount = 0;
  }

  void set(Engine::i32 i, bool on) {
    const auto mask = static_cast<Engine::u8>(1u << (i % 8));
    Engine::u8& byte = mBits[i / 8];
    byte = static_cast<Engine::u8>(on ? byte | mask : byte & ~mask);
  }

  bool get(Engine::i32 i) const { return (mBits[i / 8] >> (i % 8) & 1) != 0; }
  Engine::i32 size() const { return mCount; }

 private:
  Engine::u8* mBits = nullptr;
  Engine::i32 mCount = 0;
};

}  // namespace Game
