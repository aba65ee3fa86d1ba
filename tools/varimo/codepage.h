#pragma once
// Shift-JIS (code page 932) to UTF-8, for output to other programs only: the plug-in keeps
// every text as the bytes it read.

#include <string>

namespace varimo {

// Undecodable bytes become U+FFFD, one per byte.
std::string ShiftJisToUtf8(const std::string& bytes);

// Decodes one double-byte character; false when the code page defines none for the pair.
bool DecodeShiftJisPair(unsigned char lead, unsigned char trail, char32_t& codePoint);

}  // namespace varimo
