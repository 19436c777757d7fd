#include "Platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace Platform {

namespace {

// One open converter per direction and thread; iconv descriptors are not shareable.
class Converter {
 public:
  Converter(const char* to, const char* from) : mHandle(iconv_open(to, from)) {
    if (mHandle == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(mHandle); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts input; at every sequence that cannot be converted, calls
  // substitute(out) and skips skipLength(rest) input bytes.
  template <class Substitute, class SkipLength>
  std::string run(std::string_view input, Substitute substitute, SkipLength skipLength) {
    iconv(mHandle, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(input.size() * 2 + 8);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(mHandle, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, sizeof buffer - outLeft);
      if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
        continue;
      }
      // EILSEQ or EINVAL (a lead byte cut off at the end): substitute and skip.
      substitute(out);
      const std::size_t skip = skipLength(std::string_view(in, inLeft));
      in += skip;
      inLeft -= skip;
      iconv(mHandle, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(mHandle, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
    return out;
  }

 private:
  iconv_t mHandle;
};

Converter& toUtf8() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

Converter& fromUtf8() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

void appendReplacement(std::string& out) { out += "\xEF\xBF\xBD"; }

std::size_t oneByte(std::string_view) { return 1; }

// A well-formed but unmappable character is skipped whole; a malformed byte alone.
std::size_t utf8SequenceLength(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  const std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
  if (length > rest.size()) {
    return 1;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(rest[k]) & 0xC0) != 0x80) {
      return 1;
    }
  }
  return length;
}

}  // namespace

std::string sjisToUtf8(std::string_view sjis) { return toUtf8().run(sjis, appendReplacement, oneByte); }

std::string utf8ToSjis(std::string_view utf8) {
  return fromUtf8().run(utf8, [](std::string& out) { out += '?'; }, utf8SequenceLength);
}

std::u32string sjisToUtf32(std::string_view sjis) {
  const std::string utf8 = sjisToUtf8(sjis);
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    out += code;
    i += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace Platform
