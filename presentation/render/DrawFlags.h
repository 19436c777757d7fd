#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;

// The lights a draw takes, as bits. The first four pick the scene's lights;
// "camera" picks none, but like the others it makes the draw lit.
class DrawFlags {
 public:
  enum Bit : Engine::u32 {
    kSpot = 1u << 0,    // the scene node's own light (device light 3)
    kOver = 1u << 1,    // the fixed white light (device light 0)
    kGround = 1u << 2,  // the fixed warm light (device light 1)
    kBack = 1u << 3,    // the camera light (device light 2)
    kCamera = 1u << 4,
  };
  static constexpr Engine::i32 kLightCount = 4;

  // Clears, then sets a bit for each of "spot", "over", "ground", "back",
  // "camera" present as a key (no items needed).
  void load(const NmlNode& node);

  bool test(Engine::u32 bits) const { return (mBits & bits) != 0; }
  void set(Engine::u32 bits) { mBits |= bits; }
  void clear(Engine::u32 bits) { mBits &= ~bits; }
  void clear() { mBits = 0; }
  void add(const DrawFlags& other) { mBits |= other.mBits; }
  Engine::u32 bits() const { return mBits; }
  bool any() const { return mBits != 0; }
  // The device light (0..3) that a light bit (kSpot..kBack) switches on.
  static Engine::i32 deviceLight(Engine::u32 bit);

  bool operator==(const DrawFlags&) const = default;

 private:
  Engine::u32 mBits = 0;
};

}  // namespace Game
