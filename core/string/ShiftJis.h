#pragma once

namespace Game::ShiftJis {

// First byte of a two-byte Shift-JIS character (code page 932). Half-width
// katakana (0xA1-0xDF) and the unused bytes 0x80, 0xA0, 0xFD-0xFF stand alone.
constexpr bool isLeadByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// Bytes of the character at text: 2 for a lead byte followed by its second
// byte, else 1 (a lead byte cut off by the terminator stands alone).
constexpr int characterSize(const char* text) { return isLeadByte(text[0]) && text[1] != '\0' ? 2 : 1; }

}  // namespace Game::ShiftJis
