#include "SdlWindow.h"

#include <cstdio>

#include "Platform/TextCodec.h"
#include "WheelStep.h"

namespace Platform::Sdl {

SdlWindow::~SdlWindow() {
  destroy();
  if (mVideoStarted) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
}

bool SdlWindow::create(const WindowDesc& desc) {
  if (!mVideoStarted) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "Cannot start the video system: %s\n", SDL_GetError());
      return false;
    }
    mVideoStarted = true;
  }
  const std::string title = sjisToUtf8(desc.title);
  const Uint32 mode = desc.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  const int width = static_cast<int>(desc.width);
  const int height = static_cast<int>(desc.height);
  mWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | mode);
  if (!mWindow) {
    // Some drivers have no OpenGL; the window itself can still exist.
    mWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                               SDL_WINDOW_SHOWN | mode);
  }
  if (!mWindow) {
    std::fprintf(stderr, "Cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  acceptDrops(desc.acceptDrops);
  return true;
}

void SdlWindow::destroy() {
  if (mWindow) {
    SDL_DestroyWindow(mWindow);
    mWindow = nullptr;
    mQuitPending = true;
  }
}

bool SdlWindow::pollEvent(WindowEvent& event) {
  if (mQuitPending && !mWindow) {
    mQuitPending = false;
    event = WindowEvent{};
    event.type = WindowEventType::Quit;
    return true;
  }
  if (!mVideoStarted) {
    return false;
  }
  SDL_Event sdl;
  while (SDL_PollEvent(&sdl)) {
    event = WindowEvent{};
    if (translate(sdl, event)) {
      return true;
    }
  }
  return false;
}

bool SdlWindow::translate(const SDL_Event& sdl, WindowEvent& event) {
  switch (sdl.type) {
    case SDL_QUIT:
      event.type = WindowEventType::CloseRequest;
      return true;
    case SDL_WINDOWEVENT:
      return translateWindowEvent(sdl.window, event);
    case SDL_KEYDOWN:
      if (!sdl.key.repeat && (sdl.key.keysym.mod & KMOD_ALT) &&
          (sdl.key.keysym.sym == SDLK_RETURN || sdl.key.keysym.sym == SDLK_KP_ENTER)) {
        event.type = WindowEventType::AltEnter;
        return true;
      }
      return false;
    case SDL_MOUSEWHEEL:
      // A sideways step (tilted wheel, touchpad) is left out.
      event.wheelDelta = wheelStep(sdl.wheel.y, sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED);
      if (event.wheelDelta == 0) {
        return false;
      }
      event.type = WindowEventType::Wheel;
      return true;
    case SDL_DROPBEGIN:
      mDrops.clear();
      return false;
    case SDL_DROPFILE:
      if (sdl.drop.file) {
        mDrops.push_back(utf8ToSjis(sdl.drop.file));
        SDL_free(sdl.drop.file);
      }
      return false;
    case SDL_DROPCOMPLETE:
      event.type = WindowEventType::DropFiles;
      event.droppedPaths.swap(mDrops);
      return true;
    default:
      return false;
  }
}

bool SdlWindow::translateWindowEvent(const SDL_WindowEvent& sdl, WindowEvent& event) {
  const bool minimized = mWindow && (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_MINIMIZED) != 0;
  switch (sdl.event) {
    case SDL_WINDOWEVENT_CLOSE:
      event.type = WindowEventType::CloseRequest;
      return true;
    case SDL_WINDOWEVENT_MINIMIZED:
      event.type = WindowEventType::Minimize;
      return true;
    case SDL_WINDOWEVENT_RESTORED:
      event.type = WindowEventType::Restore;
      return true;
    case SDL_WINDOWEVENT_MAXIMIZED:
      // The window keeps its size: the command only asks for full screen.
      SDL_RestoreWindow(mWindow);
      event.type = WindowEventType::MaximizeRequest;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      event.type = WindowEventType::Activate;
      event.active = sdl.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      event.minimized = minimized;
      return true;
    default:
      return false;
  }
}

void SdlWindow::setFullScreen(bool fullScreen) {
  if (mWindow) {
    SDL_SetWindowFullscreen(mWindow, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
}

void SdlWindow::acceptDrops(bool accept) {
  const int state = accept ? SDL_ENABLE : SDL_DISABLE;
  SDL_EventState(SDL_DROPFILE, state);
  SDL_EventState(SDL_DROPBEGIN, state);
  SDL_EventState(SDL_DROPCOMPLETE, state);
}

void SdlWindow::drawableSize(std::uint32_t& width, std::uint32_t& height) {
  int w = 0;
  int h = 0;
  if (mWindow) {
    SDL_GL_GetDrawableSize(mWindow, &w, &h);
    if (w == 0 || h == 0) {
      SDL_GetWindowSize(mWindow, &w, &h);
    }
  }
  width = static_cast<std::uint32_t>(w);
  height = static_cast<std::uint32_t>(h);
}

}  // namespace Platform::Sdl
