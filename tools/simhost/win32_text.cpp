#include "win32_text.h"

#include <vector>

namespace varimo {
namespace {

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0) {
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
  }
  return bytes;
}

std::wstring ToWide(UINT codePage, DWORD flags, const std::string& bytes, bool& ok) {
  ok = true;
  if (bytes.empty()) return std::wstring();
  int size = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                                 nullptr, 0);
  if (size <= 0) {
    ok = false;
    return std::wstring();
  }
  std::wstring text(size, L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                      size);
  return text;
}

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

std::string Utf8FromWide(const std::wstring& text) {
  return FromWide(CP_UTF8, text);
}

std::string AnsiFromWide(const std::wstring& text) {
  return FromWide(CP_ACP, text);
}

std::wstring WideFromWord(const std::string& word) {
  bool ok;
  std::wstring text = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, word, ok);
  if (ok) return text;
  return ToWide(CP_ACP, 0, word, ok);
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

std::wstring ControlText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 2);
  int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), got > 0 ? got : 0);
}

std::string ClassNameOf(HWND window) {
  char name[256];
  int length = GetClassNameA(window, name, sizeof(name));
  return std::string(name, length > 0 ? length : 0);
}

}  // namespace varimo
