#include "presentation/scene/TextAudit.h"

#include <gtest/gtest.h>

namespace {

using Game::TextAudit;

// An outer frame (100,100)-(200,150) with its inside 2 pixels in, and an
// inner one (120,120)-(150,140), inside (122,122)-(148,138). A block belongs
// to the innermost frame whose whole rectangle holds its origin; a print
// strays when it passes that frame's inside by more than a pixel.
TEST(TextAuditTest, APrintMustLieInsideTheInnermostFrameHoldingItsBlock) {
  const struct {
    float x, y;
    TextAudit::Box print;
    bool strays;
  } cases[] = {
      {102, 102, {102, 102, 198, 148}, false},          // fills the outer inside
      {102, 102, {102, 102, 199.5f, 148}, true},        // 1.5 past the right
      {102, 102, {101.2f, 101.2f, 199, 149}, false},    // within the pixel
      {102, 102, {102, 102, 198, 149.5f}, true},        // past the bottom
      {100, 100, {100, 100, 150, 120}, true},           // on the border: held, outside
      {125, 125, {125, 125, 160, 130}, true},           // the inner frame's, past it
      {125, 125, {125, 125, 147, 137}, false},
      {300, 300, {300, 300, 900, 400}, false},          // no frame holds it
  };
  for (const auto& c : cases) {
    TextAudit audit;
    audit.addFrame({100, 100, 200, 150}, {102, 102, 198, 148});
    audit.addFrame({120, 120, 150, 140}, {122, 122, 148, 138});
    audit.startBlock(c.x, c.y);
    audit.addPrint(c.print, "ab");
    EXPECT_EQ(audit.strays().size(), c.strays ? 1u : 0u) << c.x << " " << c.print.right << " " << c.print.bottom;
    EXPECT_EQ(audit.heldPrints(), c.x < 300 ? 1 : 0) << c.x;
  }
  TextAudit audit;
  audit.addFrame({0, 0, 10, 10}, {2, 2, 8, 8});
  audit.startBlock(2, 2);
  audit.addPrint({2, 2, 12, 8}, "ab");
  EXPECT_EQ(audit.strays(), std::vector<std::string>{"\"ab\" (2,2)-(12,8) leaves (2,2)-(8,8)"});
  audit.clear();
  EXPECT_TRUE(audit.strays().empty());
}

}  // namespace
