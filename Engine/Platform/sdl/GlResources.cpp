#include "GlResources.h"

#include <algorithm>

namespace Platform::Sdl {

GlBuffer::GlBuffer(std::shared_ptr<GlContextLife> life, std::uint32_t bytes)
    : mLife(std::move(life)), mCopy(bytes, 0) {
  gl.glGenBuffers(1, &mName);
  // Index buffers are bound through the vertex array; uploads go through the
  // copy-write target so that no binding of the device is disturbed.
  gl.glBindBuffer(GL_COPY_WRITE_BUFFER, mName);
  gl.glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(bytes), mCopy.data(), GL_STATIC_DRAW);
  gl.glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

GlBuffer::~GlBuffer() {
  if (mLife->alive) {
    gl.glDeleteBuffers(1, &mName);
  }
}

void GlBuffer::unlock() {
  if (!mLife->alive) {
    return;
  }
  gl.glBindBuffer(GL_COPY_WRITE_BUFFER, mName);
  gl.glBufferSubData(GL_COPY_WRITE_BUFFER, 0, static_cast<GLsizeiptr>(mCopy.size()), mCopy.data());
  gl.glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

GlTexture::GlTexture(std::shared_ptr<GlContextLife> life, std::uint32_t width, std::uint32_t height,
                     std::uint32_t levels)
    : mLife(std::move(life)), mWidth(width), mHeight(height) {
  std::uint32_t w = std::max(width, 1u);
  std::uint32_t h = std::max(height, 1u);
  for (std::uint32_t i = 0; i < std::max(levels, 1u); ++i) {
    mLevels.push_back({w, h, std::vector<std::uint32_t>(std::size_t{w} * h, 0)});
    if (w == 1 && h == 1) {
      break;
    }
    w = std::max(w / 2, 1u);
    h = std::max(h / 2, 1u);
  }
  GLint previous = 0;
  gl.glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  gl.glGenTextures(1, &mName);
  gl.glBindTexture(GL_TEXTURE_2D, mName);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  for (std::size_t i = 0; i < mLevels.size(); ++i) {
    const Level& level = mLevels[i];
    gl.glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), GL_RGBA8, static_cast<GLsizei>(level.width),
                    static_cast<GLsizei>(level.height), 0, GL_BGRA, GL_UNSIGNED_BYTE, level.pixels.data());
  }
  // Sampling never reaches a level that does not exist.
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(mLevels.size() - 1));
  gl.glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
}

GlTexture::~GlTexture() {
  if (mLife->alive) {
    gl.glDeleteTextures(1, &mName);
  }
}

void* GlTexture::lock(std::uint32_t level, std::uint32_t& pitch) {
  if (level >= mLevels.size()) {
    pitch = 0;
    return nullptr;
  }
  pitch = mLevels[level].width * 4;
  return mLevels[level].pixels.data();
}

void GlTexture::unlock(std::uint32_t level) { unlockRows(level, 0, level < mLevels.size() ? mLevels[level].height : 0); }

void GlTexture::unlockRows(std::uint32_t level, std::uint32_t firstRow, std::uint32_t rowCount) {
  if (level >= mLevels.size() || !mLife->alive) {
    return;
  }
  const Level& data = mLevels[level];
  firstRow = std::min(firstRow, data.height);
  rowCount = std::min(rowCount, data.height - firstRow);
  if (rowCount == 0) {
    return;
  }
  GLint previous = 0;
  gl.glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  gl.glBindTexture(GL_TEXTURE_2D, mName);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), 0, static_cast<GLint>(firstRow),
                     static_cast<GLsizei>(data.width), static_cast<GLsizei>(rowCount), GL_BGRA, GL_UNSIGNED_BYTE,
                     data.pixels.data() + std::size_t{firstRow} * data.width);
  gl.glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
}

}  // namespace Platform::Sdl
