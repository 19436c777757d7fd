// The base module's small pieces: arrays, the hash map, numbers and the text streams.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Engine/Base/Array.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Base/HashMap.h"
#include "Engine/Base/Numeric.h"
#include "Engine/Base/OStringStream.h"
#include "PlatformFake/FakeBackend.h"

namespace {

struct Counted {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() { --alive; }
};

TEST(ArrayTest, ShrinkKeepsStorageAndDestroysTheTail) {
  Counted::alive = 0;
  {
    Engine::Array<Counted> array(3);
    EXPECT_EQ(Counted::alive, 3);
    Counted* storage = array.data();
    array.setSize(2);
    EXPECT_EQ(Counted::alive, 2);
    EXPECT_EQ(array.data(), storage);
  }
  EXPECT_EQ(Counted::alive, 0);
}

TEST(ArrayDeathTest, GrowingAnArrayWithStorageOrAnIndexOutsideItHalts) {
  Engine::Array<int> array(3);
  EXPECT_DEATH(array.setSize(5), "ArrayImpl\\.h:[0-9]+ : \\( ?size <= mSize ?\\) && \"Array::setSize\\(\\) : extension is not supperted\\.\"");
  EXPECT_DEATH(array[-1] = 0, "Critical Error!");
  EXPECT_DEATH(array[3] = 0, "Engine/include/Engine/Base/Impl/ArrayImpl\\.h:[0-9]+ : i >= 0 && i < mSize && \"range error\\.\"");
}

TEST(HashMapTest, BucketCountIsAPrimeOfAtLeastThree) {
  EXPECT_EQ(Engine::HashMap<int>(1, 0).bucketCount(), 3);
  EXPECT_EQ(Engine::HashMap<int>(100, 0).bucketCount(), 101);
  EXPECT_EQ(Engine::HashMap<int>(10, 50).bucketCount(), 53);
}

TEST(HashMapTest, FullOrEmptyMapRefusesInsteadOfOverrunning) {
  Engine::HashMap<int> map(2, 0);
  map.add("a", 1);
  map.add("b", 2);
  EXPECT_TRUE(map.isEnd(map.add("c", 3)));
  EXPECT_EQ(map.size(), 2);
  Engine::HashMap<int> empty;
  EXPECT_TRUE(empty.isEnd(empty.find("x")));
  EXPECT_TRUE(empty.isEnd(empty.add("x", 1)));
}

TEST(NumericTest, IsqrtRoundsUp) {
  for (Engine::u32 n = 0; n < 100000; ++n) {
    const Engine::u32 r = Engine::isqrt(n);
    EXPECT_GE(static_cast<Engine::u64>(r) * r, n);
    EXPECT_TRUE(r == 0 || static_cast<Engine::u64>(r - 1) * (r - 1) < n) << n;
  }
  EXPECT_EQ(Engine::isqrt((1u << 30) - 1), 32768u);
}

TEST(NumericTest, NextPrimeIsStrictlyGreater) {
  for (const auto& [n, prime] : {std::pair{0u, 2u}, {2u, 3u}, {9973u, 10007u}, {65536u, 65537u}}) {
    EXPECT_EQ(Engine::nextPrime(n), prime) << n;
  }
}

TEST(OStringStreamTest, SingleCharactersOutsideThePrintableRangeAreEscapedStringsAreNot) {
  const auto contents = [](const Engine::OStringStream& stream) {
    Engine::Array<char> buffer;
    return std::string(stream.get(&buffer));
  };
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
  // A line another thread writes meanwhile comes whole, and does not break this one.
  Engine::cout << "main ";
  std::thread([] { Engine::cout << "worker " << 2u << Engine::endl; }).join();
  Engine::cout << "line" << Engine::endl;
  // Closing the stream drops what no endl finished.
  Engine::cout << "dropped ";
  Engine::DebugStream::destroy();
  Engine::cout << "kept" << Engine::endl;
  EXPECT_EQ(backend->fakeDebugOutput.lines,
            (std::vector<std::string>{"loaded 3 files\n", "next\n", "worker 2\n", "main line\n", "kept\n"}));
}

}  // namespace
