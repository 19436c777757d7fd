#include "core/sound/VorbisSetupCheck.h"

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace Game {

using Engine::u32;
using Engine::u64;
using Engine::u8;

namespace {

constexpr std::size_t kPageHeader = 27;
constexpr std::size_t kChecksumAt = 22;
constexpr u8 kContinued = 1;
constexpr u32 kCodebookSync = 0x564342;
constexpr u64 kWholeCode = u64{1} << 32;  // the lengths' sum of 2^(32 - length)

constexpr const char* kEndsEarly = "the Vorbis setup header ends inside its codebooks";

// The Ogg framing's CRC-32 (polynomial 0x04C11DB7, not reflected) of a page
// with its checksum field read as zero.
u32 pageChecksum(const u8* page, std::size_t size) {
  static const std::array<u32, 256> table = [] {
    std::array<u32, 256> made{};
    for (u32 i = 0; i < 256; ++i) {
      u32 r = i << 24;
      for (int bit = 0; bit < 8; ++bit) {
        r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
      }
      made[i] = r;
    }
    return made;
  }();
  u32 crc = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const u8 byte = (i >= kChecksumAt && i < kChecksumAt + 4) ? 0 : page[i];
    crc = (crc << 8) ^ table[((crc >> 24) ^ byte) & 0xFF];
  }
  return crc;
}

u32 readLittle32(const u8* at) {
  return u32{at[0]} | u32{at[1]} << 8 | u32{at[2]} << 16 | u32{at[3]} << 24;
}

struct Page {
  bool versionZero = false;  // the only version the framing reads
  u32 serial = 0;
  u32 sequence = 0;
  bool continued = false;
  const u8* lacing = nullptr;
  std::size_t segments = 0;
  const u8* body = nullptr;
};

// The next page from at on that the framing finds (capture pattern, whole,
// checksum holds); like the framing, a byte at a time past anything else.
// at moves past the page found.
bool nextPage(const u8* bytes, std::size_t size, std::size_t& at, Page& page) {
  for (; at + kPageHeader <= size; ++at) {
    const u8* head = bytes + at;
    if (std::memcmp(head, "OggS", 4) != 0) {
      continue;
    }
    const std::size_t segments = head[kPageHeader - 1];
    if (at + kPageHeader + segments > size) {
      continue;
    }
    std::size_t length = kPageHeader + segments;
    for (std::size_t i = 0; i < segments; ++i) {
      length += head[kPageHeader + i];
    }
    if (at + length > size || pageChecksum(head, length) != readLittle32(head + kChecksumAt)) {
      continue;
    }
    page = {head[4] == 0,   readLittle32(head + 14),      readLittle32(head + 18), (head[5] & kContinued) != 0,
            head + kPageHeader, segments, head + kPageHeader + segments};
    at += length;
    return true;
  }
  return false;
}

// Reads bits least significant first, as Vorbis packs them; past the end it
// reads zeros and remembers that it ran out.
class BitReader {
 public:
  BitReader(const u8* bytes, std::size_t size) : mBytes(bytes), mBits(u64{size} * 8) {}

  u32 read(int count) {
    u32 value = 0;
    for (int i = 0; i < count; ++i) {
      if (mAt >= mBits) {
        mFailed = true;
        return 0;
      }
      value |= u32{static_cast<u8>(mBytes[mAt >> 3] >> (mAt & 7)) & 1u} << i;
      ++mAt;
    }
    return value;
  }
  void skip(u64 count) {
    mFailed = mFailed || count > mBits - mAt;
    mAt = mFailed ? mBits : mAt + count;
  }
  bool failed() const { return mFailed; }

 private:
  const u8* mBytes;
  u64 mBits;
  u64 mAt = 0;
  bool mFailed = false;
};

int bitsToHold(u32 value) {
  int bits = 0;
  for (; value > 0; value >>= 1) {
    ++bits;
  }
  return bits;
}

// What the decoder builds its code tree from: how many entries are used and
// the sum of 2^(32 - length) over them (the whole code sums to 2^32).
struct CodeLengths {
  u64 used = 0;
  u64 sum = 0;

  void add(u32 length, u64 count) {
    used += count;
    sum += count << (32 - length);
  }
  // No entry, one entry of one bit, or a whole prefix code: what the decoder
  // builds; a tree with a gap or an overlap it refuses.
  bool isWhole() const { return used == 0 || sum == (used == 1 ? kWholeCode / 2 : kWholeCode); }
};

const char* readOrderedLengths(BitReader& bits, u32 entries, CodeLengths& lengths) {
  u32 length = bits.read(5) + 1;
  for (u32 entry = 0; entry < entries; ++length) {
    const u32 count = bits.read(bitsToHold(entries - entry));
    if (bits.failed()) {
      return kEndsEarly;
    }
    if (length > 32 || count > entries - entry) {
      return "a Vorbis codebook's ordered lengths run past 32 bits or its entries";
    }
    lengths.add(length, count);
    entry += count;
  }
  return nullptr;
}

const char* readListedLengths(BitReader& bits, u32 entries, CodeLengths& lengths) {
  const bool sparse = bits.read(1) != 0;
  for (u32 entry = 0; entry < entries && !bits.failed(); ++entry) {
    if (!sparse || bits.read(1) != 0) {
      lengths.add(bits.read(5) + 1, 1);
    }
  }
  return bits.failed() ? kEndsEarly : nullptr;
}

bool powerAtMost(u64 base, u32 exponent, u64 limit) {
  u64 power = 1;
  for (u32 i = 0; i < exponent; ++i) {
    if (power > limit / base) {
      return false;
    }
    power *= base;
  }
  return true;
}

// The greatest r with r^dimensions <= entries, as the decoder counts a
// lattice book's values (none for no entries).
u64 latticeValues(u32 entries, u32 dimensions) {
  if (entries == 0) {
    return 0;
  }
  u64 r = static_cast<u64>(std::pow(static_cast<double>(entries), 1.0 / dimensions));
  r = r < 1 ? 1 : r;
  while (r > 1 && !powerAtMost(r, dimensions, entries)) {
    --r;
  }
  while (powerAtMost(r + 1, dimensions, entries)) {
    ++r;
  }
  return r;
}

const char* skipLookup(BitReader& bits, u32 entries, u32 dimensions) {
  const u32 type = bits.read(4);
  if (type == 0) {
    return nullptr;
  }
  if (type > 2) {
    return "a Vorbis codebook has an unknown lookup type";
  }
  // Every r has r^0 <= entries: the decoder would search for the greatest
  // for ever (a list of no dimensions holds no values and decodes).
  if (type == 1 && dimensions == 0) {
    return "a Vorbis lattice codebook has no dimensions";
  }
  bits.skip(64);  // the least value and the step, as floats
  const u32 valueBits = bits.read(4) + 1;
  bits.skip(1);
  const u64 values = type == 1 ? latticeValues(entries, dimensions) : u64{entries} * dimensions;
  bits.skip(values * valueBits);
  return nullptr;
}

const char* checkCodebook(BitReader& bits) {
  if (bits.read(24) != kCodebookSync) {
    return bits.failed() ? kEndsEarly : "a Vorbis codebook lacks its sync pattern";
  }
  const u32 dimensions = bits.read(16);
  const u32 entries = bits.read(24);
  CodeLengths lengths;
  const bool ordered = bits.read(1) != 0;
  const char* fault =
      ordered ? readOrderedLengths(bits, entries, lengths) : readListedLengths(bits, entries, lengths);
  fault = fault ? fault : skipLookup(bits, entries, dimensions);
  if (fault || bits.failed()) {
    return fault ? fault : kEndsEarly;
  }
  return lengths.isWhole() ? nullptr : "a Vorbis codebook's code lengths do not make a whole prefix code";
}

constexpr std::size_t kPacketTag = 7;  // the packet type and "vorbis"

const char* checkSetupPacket(const std::vector<u8>& packet) {
  if (packet.size() < kPacketTag || std::memcmp(packet.data(), "\x05vorbis", kPacketTag) != 0) {
    return nullptr;
  }
  BitReader bits(packet.data() + kPacketTag, packet.size() - kPacketTag);
  const u32 books = bits.read(8) + 1;
  for (u32 i = 0; i < books; ++i) {
    if (const char* fault = checkCodebook(bits)) {
      return fault;
    }
  }
  return nullptr;
}

// Packets of one stream joined across its pages as the framing joins them: a
// page out of sequence drops the packet in progress, and the continued start
// of a page with nothing in progress is skipped.
struct StreamPackets {
  bool started = false;
  u32 nextSequence = 0;
  bool inProgress = false;
  std::vector<u8> packet;

  const char* take(const Page& page) {
    if (started && page.sequence != nextSequence) {
      packet.clear();
      inProgress = false;
    }
    started = true;
    nextSequence = page.sequence + 1;
    std::size_t segment = 0;
    const u8* body = page.body;
    if (page.continued && !inProgress) {
      for (; segment < page.segments; body += page.lacing[segment++]) {
        if (page.lacing[segment] < 255) {
          body += page.lacing[segment++];
          break;
        }
      }
    }
    for (; segment < page.segments; body += page.lacing[segment++]) {
      packet.insert(packet.end(), body, body + page.lacing[segment]);
      inProgress = page.lacing[segment] == 255;
      if (!inProgress) {
        const char* fault = checkSetupPacket(packet);
        packet.clear();
        if (fault) {
          return fault;
        }
      }
    }
    return nullptr;
  }
};

}  // namespace

const char* findVorbisSetupFault(const u8* bytes, std::size_t size) {
  std::map<u32, StreamPackets> streams;
  Page page;
  for (std::size_t at = 0; nextPage(bytes, size, at, page);) {
    const char* fault = page.versionZero ? streams[page.serial].take(page) : nullptr;
    if (fault) {
      return fault;
    }
  }
  return nullptr;
}

}  // namespace Game
