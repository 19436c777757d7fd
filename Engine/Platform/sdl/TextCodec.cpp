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

  // Converts input, calling substitute(out) and skipping one input byte at
  // every byte that cannot be converted.
  template <class Substitute>
  std::string run(std::string_view input, Substitute substitute) {
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
      ++in;
      --inLeft;
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

}  // namespace

std::string sjisToUtf8(std::string_view sjis) { return toUtf8().run(sjis, appendReplacement); }

std::string utf8ToSjis(std::string_view utf8) {
  return fromUtf8().run(utf8, [](std::string& out) { out += '?'; });
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
