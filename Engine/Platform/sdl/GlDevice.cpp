#include "GlDevice.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Platform::Sdl {

namespace {

bool hasExtension(const char* name) {
  GLint count = 0;
  gl.glGetIntegerv(GL_NUM_EXTENSIONS, &count);
  for (GLint i = 0; i < count; ++i) {
    const auto* extension = reinterpret_cast<const char*>(gl.glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
    if (extension && std::strcmp(extension, name) == 0) {
      return true;
    }
  }
  return false;
}

// Rasterisers on the processor emulate anisotropic filtering at several times
// the cost of linear filtering, enough to halve the frame rate of a textured
// screen; they are treated as devices without it.
bool rendersInSoftware() {
  const auto* renderer = reinterpret_cast<const char*>(gl.glGetString(GL_RENDERER));
  if (!renderer) {
    return false;
  }
  for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
    if (std::strstr(renderer, name)) {
      return true;
    }
  }
  return false;
}

}  // namespace

GlDevice::~GlDevice() { destroy(); }

bool GlDevice::create(const PresentParameters& parameters) {
  destroy();
  if (!mWindow.handle() || !createContext()) {
    destroy();
    return false;
  }
  mLife = std::make_shared<GlContextLife>();
  readCaps();
  if (!mPrograms.build()) {
    destroy();
    return false;
  }
  gl.glGenVertexArrays(1, &mVertexArray);
  gl.glBindVertexArray(mVertexArray);
  gl.glGenSamplers(1, &mSampler);
  gl.glBindSampler(0, mSampler);
  if (!reset(parameters)) {
    destroy();
    return false;
  }
  return true;
}

bool GlDevice::createContext() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  mContext = SDL_GL_CreateContext(mWindow.handle());
  if (!mContext) {
    std::fprintf(stderr, "Cannot create an OpenGL 3.3 core context: %s\n", SDL_GetError());
    return false;
  }
  SDL_GL_MakeCurrent(mWindow.handle(), mContext);
  const bool loaded = gl.load();
  // Function pointers are found whatever the context supports; its version decides.
  GLint major = 0;
  GLint minor = 0;
  if (loaded) {
    gl.glGetIntegerv(GL_MAJOR_VERSION, &major);
    gl.glGetIntegerv(GL_MINOR_VERSION, &minor);
  }
  if (major < 3 || (major == 3 && minor < 3)) {
    std::fprintf(stderr, "OpenGL 3.3 is needed; the context gives %d.%d\n", major, minor);
    SDL_GL_MakeCurrent(mWindow.handle(), nullptr);
    SDL_GL_DeleteContext(mContext);
    mContext = nullptr;
    return false;
  }
  return true;
}

void GlDevice::readCaps() {
  mCaps = GraphicsCaps{};
  GLint value = 0;
  gl.glGetIntegerv(GL_MAX_SAMPLES, &value);
  mCaps.maxMultisampleSamples = static_cast<std::uint32_t>(std::max(value, 0));
  gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
  mCaps.maxTextureSize = static_cast<std::uint32_t>(std::max(value, 0));
  mCaps.pixelShader20 = true;
  if ((hasExtension("GL_EXT_texture_filter_anisotropic") || hasExtension("GL_ARB_texture_filter_anisotropic")) &&
      !rendersInSoftware()) {
    float maxAnisotropy = 1.0f;
    gl.glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY, &maxAnisotropy);
    mCaps.anisotropicFilter = maxAnisotropy > 1.0f;
    mCaps.maxAnisotropy = static_cast<std::uint32_t>(std::max(maxAnisotropy, 1.0f));
  }
  gl.glGetError();
}

bool GlDevice::reset(const PresentParameters& parameters) {
  if (!mContext) {
    return false;
  }
  releaseBackBuffer();
  mParameters = parameters;
  if (!createBackBuffer(parameters)) {
    return false;
  }
  applyVSync(parameters.vSync);
  applyDefaultStates();
  return true;
}

bool GlDevice::createBackBuffer(const PresentParameters& parameters) {
  const auto width = static_cast<GLsizei>(std::max(parameters.backBufferWidth, 1u));
  const auto height = static_cast<GLsizei>(std::max(parameters.backBufferHeight, 1u));
  const auto samples = static_cast<GLsizei>(std::min(parameters.multisampleSamples, mCaps.maxMultisampleSamples));
  BackBuffer& buffer = mBackBuffer;
  gl.glGenRenderbuffers(1, &buffer.color);
  gl.glBindRenderbuffer(GL_RENDERBUFFER, buffer.color);
  gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
  gl.glGenRenderbuffers(1, &buffer.depthStencil);
  gl.glBindRenderbuffer(GL_RENDERBUFFER, buffer.depthStencil);
  gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
  gl.glGenFramebuffers(1, &buffer.framebuffer);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffer.color);
  gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, buffer.depthStencil);
  bool complete = gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (samples > 0) {
    gl.glGenRenderbuffers(1, &buffer.resolveColor);
    gl.glBindRenderbuffer(GL_RENDERBUFFER, buffer.resolveColor);
    gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, 0, GL_RGBA8, width, height);
    gl.glGenFramebuffers(1, &buffer.resolveFramebuffer);
    gl.glBindFramebuffer(GL_FRAMEBUFFER, buffer.resolveFramebuffer);
    gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffer.resolveColor);
    complete = complete && gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
  gl.glBindRenderbuffer(GL_RENDERBUFFER, 0);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  if (!complete) {
    std::fprintf(stderr, "Cannot make a %dx%d back buffer with %d samples\n", width, height, samples);
  }
  return complete;
}

void GlDevice::releaseBackBuffer() {
  BackBuffer& buffer = mBackBuffer;
  gl.glBindFramebuffer(GL_FRAMEBUFFER, 0);
  const GLuint framebuffers[] = {buffer.framebuffer, buffer.resolveFramebuffer};
  const GLuint renderbuffers[] = {buffer.color, buffer.depthStencil, buffer.resolveColor};
  gl.glDeleteFramebuffers(2, framebuffers);
  gl.glDeleteRenderbuffers(3, renderbuffers);
  buffer = BackBuffer{};
}

// The device's own defaults, as a fresh device has them.
void GlDevice::applyDefaultStates() {
  mProgram = ShaderProgram::Unlit;
  mVertexConstants.fill(0.0f);
  mPixelConstants.fill(0.0f);
  ++mConstantsVersion;
  mViewport = Viewport{0, 0, mParameters.backBufferWidth, mParameters.backBufferHeight, 0.0f, 1.0f};
  setViewport(mViewport);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
  mDepthWrite = true;
  gl.glDepthMask(GL_TRUE);
  gl.glDisable(GL_SCISSOR_TEST);
  gl.glDisable(GL_BLEND);
  mCullMode = CullMode::CounterClockwise;
  applyCull();
  mSourceBlend = BlendFactor::One;
  mDestinationBlend = BlendFactor::Zero;
  applyBlend();
  mAlphaTest = false;
  mAlphaReference = 0;
  mSamplerStates = {static_cast<std::uint32_t>(TextureFilter::Point), static_cast<std::uint32_t>(TextureFilter::Point),
                    static_cast<std::uint32_t>(TextureFilter::None), 1};
  applySampler();
  setTexture(nullptr);
  setVertexBuffer(nullptr);
  setIndexBuffer(nullptr);
}

void GlDevice::applyVSync(bool vSync) {
  if (SDL_GL_SetSwapInterval(vSync ? 1 : 0) != 0 && vSync) {
    // Best effort: some systems refuse; frames are then paced by the clock only.
    std::fprintf(stderr, "Vertical sync is not available: %s\n", SDL_GetError());
  }
}

void GlDevice::destroy() {
  if (mLife) {
    mLife->alive = false;
    mLife.reset();
  }
  if (mContext) {
    mPrograms.release();
    releaseBackBuffer();
    gl.glDeleteVertexArrays(1, &mVertexArray);
    gl.glDeleteSamplers(1, &mSampler);
    mVertexArray = 0;
    mSampler = 0;
    SDL_GL_MakeCurrent(mWindow.handle(), nullptr);
    SDL_GL_DeleteContext(mContext);
    mContext = nullptr;
  }
  mTexture = nullptr;
}

std::vector<DisplayMode> GlDevice::displayModes() {
  std::vector<DisplayMode> modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && SDL_BITSPERPIXEL(mode.format) >= 24) {
      modes.push_back({static_cast<std::uint32_t>(mode.w), static_cast<std::uint32_t>(mode.h),
                       static_cast<std::uint32_t>(mode.refresh_rate)});
    }
  }
  return modes;
}

DisplayMode GlDevice::desktopMode() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
    return {};
  }
  return {static_cast<std::uint32_t>(mode.w), static_cast<std::uint32_t>(mode.h),
          static_cast<std::uint32_t>(mode.refresh_rate)};
}

std::unique_ptr<GraphicsBuffer> GlDevice::createVertexBuffer(std::uint32_t bytes) {
  return std::make_unique<GlBuffer>(mLife, bytes);
}

std::unique_ptr<GraphicsBuffer> GlDevice::createIndexBuffer(std::uint32_t bytes) {
  return std::make_unique<GlBuffer>(mLife, bytes);
}

std::unique_ptr<GraphicsTexture> GlDevice::createTexture(std::uint32_t width, std::uint32_t height,
                                                         std::uint32_t levels) {
  if (!mContext || width == 0 || height == 0 || width > mCaps.maxTextureSize || height > mCaps.maxTextureSize) {
    return nullptr;
  }
  reportGlErrors("before a texture was created");
  auto texture = std::make_unique<GlTexture>(mLife, width, height, levels);
  // Storage the driver could not give shows only as an error.
  if (reportGlErrors("creating a texture")) {
    return nullptr;
  }
  return texture;
}

bool GlDevice::reportGlErrors(const char* when) {
  bool any = false;
  for (GLenum error = gl.glGetError(); error != GL_NO_ERROR; error = gl.glGetError()) {
    std::fprintf(stderr, "OpenGL error 0x%04x %s\n", error, when);
    any = true;
  }
  return any;
}

// The single-sample copy of the back buffer, resolving multisampling first.
GLuint GlDevice::resolvedFramebuffer() {
  if (!mBackBuffer.resolveFramebuffer) {
    return mBackBuffer.framebuffer;
  }
  const auto width = static_cast<GLint>(mParameters.backBufferWidth);
  const auto height = static_cast<GLint>(mParameters.backBufferHeight);
  gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, mBackBuffer.framebuffer);
  gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, mBackBuffer.resolveFramebuffer);
  gl.glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, mBackBuffer.framebuffer);
  return mBackBuffer.resolveFramebuffer;
}

bool GlDevice::present() {
  if (!mContext) {
    return false;
  }
  const GLuint source = resolvedFramebuffer();
  int windowWidth = 0;
  int windowHeight = 0;
  SDL_GL_GetDrawableSize(mWindow.handle(), &windowWidth, &windowHeight);
  const auto width = static_cast<GLint>(mParameters.backBufferWidth);
  const auto height = static_cast<GLint>(mParameters.backBufferHeight);
  const bool sameSize = windowWidth == width && windowHeight == height;
  gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
  gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  // Turned right way up for the screen.
  gl.glBlitFramebuffer(0, 0, width, height, 0, windowHeight, windowWidth, 0, GL_COLOR_BUFFER_BIT,
                       sameSize ? GL_NEAREST : GL_LINEAR);
  SDL_GL_SwapWindow(mWindow.handle());
  gl.glBindFramebuffer(GL_FRAMEBUFFER, mBackBuffer.framebuffer);
  // A misuse of OpenGL is silent otherwise; one check a frame names it.
  reportGlErrors("during the frame");
  // An OpenGL device is never lost.
  return true;
}

void GlDevice::readBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width, std::uint32_t& height) {
  width = mParameters.backBufferWidth;
  height = mParameters.backBufferHeight;
  pixels.assign(std::size_t{width} * height, 0);
  if (!mContext || pixels.empty()) {
    return;
  }
  gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, resolvedFramebuffer());
  gl.glPixelStorei(GL_PACK_ALIGNMENT, 4);
  gl.glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                  GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  gl.glBindFramebuffer(GL_FRAMEBUFFER, mBackBuffer.framebuffer);
  for (std::uint32_t& pixel : pixels) {
    pixel |= 0xFF000000u;
  }
}

}  // namespace Platform::Sdl
