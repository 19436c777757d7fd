#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "Platform/Window.h"

namespace Platform::Sdl {

class SdlWindow : public Window {
 public:
  SdlWindow() = default;
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  bool create(const WindowDesc& desc) override;
  void destroy() override;
  bool pollEvent(WindowEvent& event) override;
  void setFullScreen(bool fullScreen) override;
  void acceptDrops(bool accept) override;
  void drawableSize(std::uint32_t& width, std::uint32_t& height) override;

  // For the graphics device of this layer.
  SDL_Window* handle() const { return mWindow; }

 private:
  bool translate(const SDL_Event& sdl, WindowEvent& event);
  bool translateWindowEvent(const SDL_WindowEvent& sdl, WindowEvent& event);

  SDL_Window* mWindow = nullptr;
  bool mQuitPending = false;
  bool mVideoStarted = false;
  std::vector<std::string> mDrops;
};

}  // namespace Platform::Sdl
