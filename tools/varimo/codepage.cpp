#include "codepage.h"

#include "common/text.h"

namespace varimo {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

// Single bytes are decoded here and only pairs by the platform, so that the Linux and the
// Windows tool print the same.
std::string ShiftJisToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      AppendUtf8(out, b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      AppendUtf8(out, 0xFF61 + (b - 0xA1));  // half-width katakana
    } else if (IsShiftJisLeadByte(b) && i + 1 < bytes.size()) {
      char32_t c = 0;
      if (DecodeShiftJisPair(b, static_cast<unsigned char>(bytes[i + 1]), c)) {
        AppendUtf8(out, c);
        ++i;
      } else {
        AppendUtf8(out, 0xFFFD);
      }
    } else {
      AppendUtf8(out, 0xFFFD);
    }
  }
  return out;
}

}  // namespace varimo
