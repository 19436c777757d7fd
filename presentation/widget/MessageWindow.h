#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"

namespace Game {

struct Face;
class NmlNode;

// The text panel of conversations: a name and a text revealed two bytes a
// draw, a two-byte character always whole.
class MessageBox {
 public:
  // Longer texts are cut (at a character boundary) to this many bytes.
  static constexpr Engine::i32 kTextCapacity = 1024;
  static constexpr float kWidth = 512.f;
  static constexpr float kHeight = 120.f;
  // What one press of decide shows at once, in reveal steps of two bytes.
  static constexpr Engine::i32 kRevealAll = 256;

  MessageBox(Engine::i32 x, Engine::i32 y) : mX(x), mY(y) {}

  // Empty text makes the box inactive (it draws nothing).
  void setText(const char* name, const char* text, bool showFrame);
  void clear();
  // True when the line is done: decide or down (or holding fast-forward)
  // first completes the reveal, then finishes the line; with autoFinish a
  // fully revealed line finishes by itself.
  bool advance(bool autoFinish);
  void draw();
  // The bytes the next draw would show of the text.
  Engine::i32 visibleBytes() const;

  bool isActive() const { return mActive; }
  bool isRevealing() const { return mRevealing; }
  bool isWaitingForKey() const { return mWaitingForKey; }
  const String& name() const { return mName; }
  const String& text() const { return mText; }

 private:
  bool mActive = false;
  String mSpeaker;
  String mName;
  String mText;
  Engine::i32 mX;
  Engine::i32 mY;
  Engine::i32 mRevealed = 0;
  bool mShowFrame = true;
  bool mRevealing = false;
  bool mWaitingForKey = false;
};

// One of the two faces beside the box, growing in over 16 draws.
class FaceSlot {
 public:
  static constexpr Engine::i32 kShownStep = 16;

  explicit FaceSlot(Engine::u8 side) : mSide(side) {}

  void setFace(const Face* face) { mFace = face; }
  const Face* face() const { return mFace; }
  void setShown(bool shown) { mTargetStep = shown ? kShownStep : 0; }
  // Holding fast-forward settles it at once.
  bool isSettled();
  void draw();
  Engine::i32 step() const { return mStep; }
  float scale() const { return static_cast<float>(mStep + kShownStep) / (2.f * kShownStep); }

 private:
  const Face* mFace = nullptr;
  Engine::u8 mSide;
  Engine::i32 mStep = 0;
  Engine::i32 mTargetStep = 0;
};

// A line waiting to be shown.
struct MessageLine {
  String name;
  String text;
  const Face* face = nullptr;
  Engine::i32 side = 0;
};

// The talk record of an event script.
class MessageScript {
 public:
  struct Line {
    Engine::i32 side = 0;
    String name;
    String text;
  };

  // "close", "chara" and "skip" set flags; every other key is a line, "R"
  // on the right and any other on the left: name and text, or a name only
  // (a line that only shows a face).
  void load(const NmlNode& node);

  OwnedList<Line> lines;
  bool close = false;
  bool chara = true;
  bool skip = false;
};

// Conversations: the box near the bottom of the screen, two faces and a
// queue of lines shown one at a time.
class MessageWindow {
 public:
  MessageWindow();

  void clear();
  void open(const MessageScript& script);
  // The face of that name with its speaker name, else no face and the name
  // as it stands.
  void addLine(Engine::i32 side, const char* faceName, const char* text);
  void postLine(Engine::i32 side, const Face* face, const char* name, const char* text);
  // Once per frame: drives the window and answers whether it has nothing
  // left to show.
  bool isIdle();
  void draw();

  const String& speakerName() const { return mSpeakerName; }
  MessageBox& box() { return mBox; }
  FaceSlot& slot(Engine::i32 side) { return side == 0 ? mLeft : mRight; }
  Engine::i32 queuedLines() const { return mQueue.count(); }
  bool closes() const { return mClose; }
  bool showsFaces() const { return mChara; }

 private:
  void showNextLine();

  MessageBox mBox;
  FaceSlot mLeft{0};
  FaceSlot mRight{1};
  OwnedList<MessageLine> mQueue;
  bool mClose = false;
  bool mChara = true;
  String mSpeakerName;
  bool mSkip = false;
};

}  // namespace Game
