#pragma once
// Texts between the system's wide characters and the two byte encodings the plug-in and its
// test host hold: UTF-8 (the captions they write themselves) and the ANSI code page (the
// settings, tags and file names). One copy for the plug-in and the simulated host.

#include <optional>
#include <string>

namespace varimo {

std::wstring WideFromUtf8(const std::string& text);
// Numbers shown in windows take WideFromAnsi(std::to_string(n)): std::to_wstring formats with
// swprintf, which would bring the C runtime's formatted printing into the DLL.
std::wstring WideFromAnsi(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::string AnsiFromWide(const std::wstring& text);

// The text when it is valid UTF-8 throughout; nothing otherwise.
std::optional<std::wstring> WideFromValidUtf8(const std::string& text);
// The ANSI text when the code page holds every character; nothing otherwise.
std::optional<std::string> AnsiIfExact(const std::wstring& text);
// A path the ANSI functions can open: the path itself when the code page holds every
// character of it, else its short form; nothing when neither converts.
std::optional<std::string> AnsiPathFromWide(const std::wstring& path);

// A window's text as its window procedure reports it (window: an HWND).
std::wstring WindowText(void* window);

// One line of text's width and height in a font (an HFONT) on a window's device context.
struct TTextExtent {
  int Width = 0;
  int Height = 0;
};
TTextExtent TextExtent(void* window, void* font, const std::wstring& text);

}  // namespace varimo
