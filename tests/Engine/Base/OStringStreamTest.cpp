#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Base/DebugStream.h"
#include "Engine/Base/OStringStream.h"
#include "PlatformFake/FakeBackend.h"

namespace {

std::string contents(const Engine::OStringStream& stream) {
  Engine::Array<char> buffer;
  return stream.get(&buffer);
}

TEST(OStringStreamTest, SingleCharactersOutsideThePrintableRangeAreEscapedStringsAreNot) {
  Engine::OStringStream stream(16);
  stream << static_cast<char>(0x7F) << static_cast<char>(7) << static_cast<char>(200) << '\n' << '\t' << 'a';
  EXPECT_EQ(contents(stream), "%7F%07%C8\n\ta");
  Engine::OStringStream text(4);
  text << "\x7F\x83\x5C";  // inside a string, stored unchanged (a Shift-JIS backslash trail byte too)
  EXPECT_EQ(contents(text), "\x7F\x83\x5C");
}

TEST(DebugStreamTest, OneLineReachesTheOutputPerEndl) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::cout << "loaded " << 3 << " files";
  EXPECT_TRUE(backend->fakeDebugOutput.lines.empty());
  Engine::cout << Engine::endl << "next" << Engine::endl;
  EXPECT_EQ(backend->fakeDebugOutput.lines, (std::vector<std::string>{"loaded 3 files\n", "next\n"}));
}

}  // namespace
