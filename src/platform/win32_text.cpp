#include "platform/win32_text.h"

#include <windows.h>

#include <vector>

namespace varimo {
namespace {

// Nothing when the bytes do not convert under the flags (MB_ERR_INVALID_CHARS).
std::optional<std::wstring> ToWide(UINT codePage, DWORD flags, const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                      length);
  return wide;
}

// lossy, when given, says whether a character had no exact counterpart (ANSI code pages
// only; WC_NO_BEST_FIT_CHARS keeps look-alikes from standing in).
std::string FromWide(UINT codePage, DWORD flags, const std::wstring& text, BOOL* lossy) {
  if (text.empty()) return std::string();
  const int length = WideCharToMultiByte(codePage, flags, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0, nullptr, lossy);
  if (length <= 0) return std::string();
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), bytes.data(),
                      length, nullptr, lossy);
  return bytes;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
  return ToWide(CP_UTF8, 0, text).value_or(std::wstring());
}

std::wstring WideFromAnsi(const std::string& text) {
  return ToWide(CP_ACP, 0, text).value_or(std::wstring());
}

std::string Utf8FromWide(const std::wstring& text) {
  return FromWide(CP_UTF8, 0, text, nullptr);
}

std::string AnsiFromWide(const std::wstring& text) {
  return FromWide(CP_ACP, 0, text, nullptr);
}

std::optional<std::wstring> WideFromValidUtf8(const std::string& text) {
  return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text);
}

std::optional<std::string> AnsiIfExact(const std::wstring& text) {
  BOOL lossy = FALSE;
  std::string ansi = FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, text, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

std::optional<std::string> AnsiPathFromWide(const std::wstring& path) {
  if (std::optional<std::string> exact = AnsiIfExact(path)) return exact;
  std::wstring shortPath(MAX_PATH, L'\0');
  const DWORD length =
      GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  if (length == 0 || length >= shortPath.size()) return std::nullopt;
  shortPath.resize(length);
  return AnsiIfExact(shortPath);
}

std::wstring WindowText(void* window) {
  HWND hwnd = static_cast<HWND>(window);
  const int length = GetWindowTextLengthW(hwnd);
  std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 2);
  const int got = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), static_cast<size_t>(got > 0 ? got : 0));
}

TTextExtent TextExtent(void* window, void* font, const std::wstring& text) {
  SIZE size = {0, 0};
  HWND hwnd = static_cast<HWND>(window);
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(font));
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return TTextExtent{size.cx, size.cy};
}

}  // namespace varimo
