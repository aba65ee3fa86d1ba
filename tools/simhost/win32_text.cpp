#include "win32_text.h"

namespace varimo {
namespace {

std::wstring WithoutMnemonics(const std::wstring& caption) {
  std::wstring plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

bool EqualsWord(const std::wstring& caption, const std::string& word) {
  return Utf8FromWide(caption) == word || AnsiFromWide(caption) == word;
}

}  // namespace

std::wstring WideFromWord(const std::string& word) {
  if (std::optional<std::wstring> text = WideFromValidUtf8(word)) return *text;
  return WideFromAnsi(word);
}

std::string AnsiFromWord(const std::string& word) {
  return AnsiFromWide(WideFromWord(word));
}

bool TextMatches(const std::wstring& caption, const std::string& word) {
  if (word == "*") return true;
  return EqualsWord(caption, word) || EqualsWord(WithoutMnemonics(caption), word);
}

std::wstring StoredCaption(HWND window) {
  wchar_t text[512];
  int length = InternalGetWindowText(window, text, 512);
  return std::wstring(text, length > 0 ? length : 0);
}

std::string ClassNameOf(HWND window) {
  char name[256];
  int length = GetClassNameA(window, name, sizeof(name));
  return std::string(name, length > 0 ? length : 0);
}

}  // namespace varimo
