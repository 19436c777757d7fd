// Unit tests never reach a display, a sound card or a message box, however
// they are started: SDL gets its dummy drivers unless the caller chose others.

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class HeadlessEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // Death tests re-run the binary instead of forking a process that has
    // worker threads, whose locks a fork could catch held.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

const bool kHeadless = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("MARROWDEEP_NO_MESSAGE_BOX", "1", 0);
  ::testing::AddGlobalTestEnvironment(new HeadlessEnvironment);
  return true;
}();

}  // namespace
