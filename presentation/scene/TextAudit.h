#pragma once

#include <string>
#include <vector>

namespace Game {

// Where one frame's text was drawn against the window frames around it, for
// checking that every frame holds its text. A block is the text printed from
// one origin of the writer; it belongs to the innermost frame holding that
// origin, and the ink of each of its prints must lie inside that frame, clear
// of its border. Text whose origin no frame holds is free-standing and never
// checked. Boxes are in back-buffer pixels, y down.
class TextAudit {
 public:
  struct Box {
    float left = 0.f;
    float top = 0.f;
    float right = 0.f;
    float bottom = 0.f;
  };

  void clear();
  // A frame's whole rectangle, which holds the blocks whose origins it
  // covers, and its inside, where their text belongs.
  void addFrame(const Box& whole, const Box& inside) { mFrames.push_back(Frame{whole, inside}); }
  void startBlock(float x, float y);
  // The box a print inks (right below left when it inks nothing) and its
  // text (Shift-JIS).
  void addPrint(const Box& box, const char* text);
  // One line for every print whose ink touches or leaves its frame's inside:
  // its text, its ink box and the inside.
  std::vector<std::string> strays() const;
  // The prints some frame holds, which the check covers.
  int heldPrints() const;

 private:
  struct Frame {
    Box whole;
    Box inside;
  };
  struct Print {
    Box box;
    std::string text;
  };
  struct Block {
    float x = 0.f;
    float y = 0.f;
    std::vector<Print> prints;
  };
  const Frame* holder(const Block& block) const;

  std::vector<Frame> mFrames;
  std::vector<Block> mBlocks;
};

}  // namespace Game
