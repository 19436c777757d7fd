#pragma once

#include <string>

#include "Engine/Base/Array.h"
#include "Engine/Base/Types.h"
#include "Engine/Framework/Framework.h"

namespace Engine {

// The game's two entry points, handed to the window creator by the program's main.
struct GameEntry {
  void (*configure)(Framework::Configuration configuration);
  void (*update)();
  // Releases the game's own objects when a failed frame ends the program
  // (the normal road releases them in update); may be null.
  void (*release)() = nullptr;
};

// The process's one window, its message loop and the order of start-up and
// teardown. One global instance exists while run() is running.
class WindowCreator {
 public:
  // Runs the program on the installed platform backend; returns the exit status.
  static int run(const GameEntry& entry);
  static WindowCreator* instance();

  void setWidth(u32 width) { mWidth = width; }
  void setHeight(u32 height) { mHeight = height; }
  void setTitle(const char* title) { mTitle = title ? title : ""; }
  void enableFullScreen(bool enable);
  void forbidFullScreen(bool forbid) { mFullScreenForbidden = forbid; }
  void enableDragAndDrop(bool enable) { mDragAndDropEnabled = enable; }

  bool isFullScreen() const { return mFullScreen; }
  bool isMinimized() const { return mMinimized; }
  bool isActive() const { return mActive; }
  u32 width() const { return mWidth; }
  u32 height() const { return mHeight; }
  const std::string& title() const { return mTitle; }

  i32 getAndResetMouseWheel();
  const Array<std::string>& droppedFiles() const { return mDroppedFiles; }

  // The framework clock in ms: starts at 4294907295 and wraps 60 s later, so
  // every user takes differences of readings.
  u32 time() const;

  void requestEnd() { mEndRequested = true; }
  void requestClose() { mCloseRequested = true; }
  bool isCloseRequested() const { return mCloseRequested; }
  bool isEndRequested() const { return mEndRequested; }

  // The longest title the window system is handed, in bytes.
  static constexpr std::size_t kMaxTitleLength = 103;

  WindowCreator();
  ~WindowCreator();
  WindowCreator(const WindowCreator&) = delete;
  WindowCreator& operator=(const WindowCreator&) = delete;

 private:
  friend class WindowCreatorLoop;

  u32 mWidth = 640;
  u32 mHeight = 480;
  bool mFullScreen = false;
  bool mMinimized = false;
  bool mActive = false;
  std::string mTitle = "An Engine Application";
  bool mCloseRequested = false;
  bool mEndRequested = false;
  bool mStarted = false;
  bool mFullScreenForbidden = false;
  bool mDragAndDropEnabled = false;
  i32 mWheel = 0;
  u32 mTimeBias = 0;
  Array<std::string> mDroppedFiles;
  bool mWindowExists = false;
};

}  // namespace Engine
