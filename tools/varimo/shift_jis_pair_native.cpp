// How this system decodes a Shift-JIS pair: iconv on Linux, the code page 932 tables on Windows.
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "codepage.h"

namespace varimo {

#ifdef _WIN32
bool DecodeShiftJisPair(unsigned char lead, unsigned char trail, char32_t& codePoint) {
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  wchar_t out[2] = {};
  int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, in, 2, out, 2);
  if (n != 1) return false;
  codePoint = out[0];
  return true;
}
#else
bool DecodeShiftJisPair(unsigned char lead, unsigned char trail, char32_t& codePoint) {
  static iconv_t converter = iconv_open("UTF-32LE", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  unsigned char out[8] = {};
  char* inPtr = in;
  size_t inLeft = 2;
  char* outPtr = reinterpret_cast<char*>(out);
  size_t outLeft = sizeof out;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
      inLeft != 0 || sizeof out - outLeft != 4) {
    return false;
  }
  codePoint = out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t{out[3]} << 24);
  return true;
}
#endif

}  // namespace varimo
