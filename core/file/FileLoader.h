#pragma once

#include "Engine/Base/Types.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Sound/Wave.h"
#include "core/file/RefCache.h"

namespace Game {

// Keeps the last 16 data files opened alive, so that a file opened again
// while it is in the ring is not read again, and shares sound waves (between
// the sound-effect lists) and textures (between the resource sets) by file
// name. Used from the main thread only.
class FileLoader {
 public:
  static constexpr Engine::i32 kRingSize = 16;

  static void create();
  static void destroy();
  // Null outside create and destroy.
  static FileLoader* instance();

  // Holds file in the ring unless it is already there or null; the oldest
  // held file is let go.
  void request(const Engine::FileIO::InFile& file);

  const Engine::FileIO::InFile& ringEntry(Engine::i32 i) const { return mRing[i]; }

  // The wave of fileName, created on first use; each call takes a reference
  // that releaseWave gives back.
  Engine::Sound::Wave acquireWave(const char* fileName) { return mWaves.acquire(fileName); }
  void releaseWave(const Engine::Sound::Wave& wave) { mWaves.release(wave); }
  Engine::i32 waveCount() const { return mWaves.count(); }

  // The texture of fileName, loading from its first request on; each call
  // takes a reference that releaseTexture gives back.
  Engine::Graphics::Texture acquireTexture(const char* fileName) { return mTextures.acquire(fileName); }
  void releaseTexture(const Engine::Graphics::Texture& texture) { mTextures.release(texture); }
  Engine::i32 textureCount() const { return mTextures.count(); }

 private:
  FileLoader() = default;

  Engine::FileIO::InFile mRing[kRingSize];
  Engine::i32 mNext = 0;
  RefCache<Engine::Sound::Wave> mWaves;
  RefCache<Engine::Graphics::Texture> mTextures;
};

}  // namespace Game
