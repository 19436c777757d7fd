#pragma once

#include <string>
#include <string_view>

namespace Platform {

// Conversions between the program's Shift-JIS (code page 932) text and the
// system's Unicode, used only at the system's edges. Invalid or unmappable
// input never stops a conversion: a bad byte becomes U+FFFD (or '?' towards
// Shift-JIS) and the conversion goes on with the next byte.
std::string sjisToUtf8(std::string_view sjis);
std::u32string sjisToUtf32(std::string_view sjis);
std::string utf8ToSjis(std::string_view utf8);

}  // namespace Platform
