#pragma once
// Byte-string helpers shared by the readers, the title format and extraction. Texts are
// bytes in the ANSI code page (Shift-JIS); nothing here converts them.

#include <cstdint>
#include <string>
#include <string_view>

namespace varimo {

// First byte of a Shift-JIS double-byte character.
inline bool IsShiftJisLeadByte(uint8_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Second byte of a Shift-JIS double-byte character.
inline bool IsShiftJisTrailByte(uint8_t b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Bytes of the character that starts at i (below text's size), as the system steps through
// text: 2 for a lead byte with a byte after it, else 1. Steps from 0 land on the first byte
// of every character and never past the end.
inline size_t ShiftJisCharSize(std::string_view text, size_t i) {
  return IsShiftJisLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Drops the bytes 0x00 to 0x20 at the end.
std::string TrimTrailingBlanks(std::string_view text);
// Drops the bytes 0x00 to 0x20 at the start.
std::string_view TrimLeadingBlanks(std::string_view text);
// Drops the bytes 0x00 to 0x20 at both ends.
std::string_view TrimBlanks(std::string_view text);

// Position of the last byte of text that is one of separators, walking Shift-JIS characters
// so that the second byte of a double-byte character never counts; npos when none. A lead
// byte followed by no valid second byte stands alone, so "." after a Latin-1 letter such
// as 0xE9 still counts.
size_t FindLastSeparator(std::string_view text, std::string_view separators);

}  // namespace varimo
