#pragma once

#include "Engine/Base/Types.h"

namespace Engine {

// The per-application framework: an empty handle over one global state.
// The game supplies configure and update; the window creator calls them.
class Framework {
 public:
  // What the game sets in configure, before the window and managers exist.
  class Configuration {
   public:
    void setWidth(u32 width);
    void setHeight(u32 height);
    void setTitle(const char* title);
    void enableVSync(bool enable);
    void enableAntiAlias(bool enable);
    void forbidFullScreen(bool forbid);
    void setArchiveNumber(i32 n);
    void setArchiveName(i32 index, const char* name);
    // 0, 1 or 2; anything else stores 1.
    void setLoadMode(i32 mode);
    void setExtraThreadNumber(i32 n);
  };

  static Framework instance();

  // Frames start at least 1000 / fps ms apart; fps must be at least 1.
  void setFrameRate(u32 fps);
  // Off: frames follow each other at once (a scripted run that steps the
  // logic as fast as it can).
  void enablePacing(bool enable);
  // Frames per second measured over the last 60 frames.
  u32 frameRate() const;

  void enableFullScreen(bool enable);
  bool isFullScreen() const;
  bool isFullScreenForbidden() const;
  bool isDragAndDropEnabled() const;
  u32 width() const;
  u32 height() const;
  const char* title() const;

  void requestEnd();
  bool isEndRequested() const;

  // Supplied by the game.
  void configure(Configuration configuration);
  void update();

  class Impl;
};

}  // namespace Engine
