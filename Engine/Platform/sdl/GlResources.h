#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "GlFunctions.h"
#include "Platform/GraphicsDevice.h"

namespace Platform::Sdl {

// Shared by the device and its resources: resources that outlive the
// context must not call into it.
struct GlContextLife {
  bool alive = true;
};

class GlBuffer : public GraphicsBuffer {
 public:
  GlBuffer(std::shared_ptr<GlContextLife> life, std::uint32_t bytes);
  ~GlBuffer() override;
  GlBuffer(const GlBuffer&) = delete;
  GlBuffer& operator=(const GlBuffer&) = delete;

  std::uint32_t size() const override { return static_cast<std::uint32_t>(mCopy.size()); }
  void* lock() override { return mCopy.data(); }
  void unlock() override;

  GLuint name() const { return mName; }

 private:
  std::shared_ptr<GlContextLife> mLife;
  GLuint mName = 0;
  std::vector<std::uint8_t> mCopy;
};

class GlTexture : public GraphicsTexture {
 public:
  GlTexture(std::shared_ptr<GlContextLife> life, std::uint32_t width, std::uint32_t height, std::uint32_t levels);
  ~GlTexture() override;
  GlTexture(const GlTexture&) = delete;
  GlTexture& operator=(const GlTexture&) = delete;

  std::uint32_t width() const override { return mWidth; }
  std::uint32_t height() const override { return mHeight; }
  std::uint32_t levels() const override { return static_cast<std::uint32_t>(mLevels.size()); }
  void* lock(std::uint32_t level, std::uint32_t& pitch) override;
  void unlock(std::uint32_t level) override;
  void unlockRows(std::uint32_t level, std::uint32_t firstRow, std::uint32_t rowCount) override;

  GLuint name() const { return mName; }

 private:
  struct Level {
    std::uint32_t width;
    std::uint32_t height;
    std::vector<std::uint32_t> pixels;
  };

  std::shared_ptr<GlContextLife> mLife;
  GLuint mName = 0;
  std::uint32_t mWidth;
  std::uint32_t mHeight;
  std::vector<Level> mLevels;
};

}  // namespace Platform::Sdl
