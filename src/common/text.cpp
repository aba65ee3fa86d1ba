#include "common/text.h"

namespace varimo {
namespace {
bool IsBlank(char c) {
  return static_cast<uint8_t>(c) <= 0x20;
}
}  // namespace

std::string TrimTrailingBlanks(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeadingBlanks(text);
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

size_t FindLastSeparator(std::string_view text, std::string_view separators) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsShiftJisLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size() &&
        IsShiftJisTrailByte(static_cast<uint8_t>(text[i + 1]))) {
      ++i;
      continue;
    }
    if (separators.find(text[i]) != std::string_view::npos) found = i;
  }
  return found;
}

}  // namespace varimo
