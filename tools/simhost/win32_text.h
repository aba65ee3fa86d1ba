#pragma once
// Texts between scenario words (bytes: UTF-8, or the system's ANSI code page) and the
// system's wide captions, so a script written in UTF-8 matches windows, menus and
// controls created with either the W or the A functions.

#include <windows.h>

#include <string>

namespace varimo {

std::string Utf8FromWide(const std::wstring& text);
std::string AnsiFromWide(const std::wstring& text);
// A scenario word as the system's text: UTF-8 when the whole word is valid UTF-8,
// else bytes in the ANSI code page (Shift-JIS file names from the environment).
std::wstring WideFromWord(const std::string& word);
// The word as ANSI bytes, for the A functions.
std::string AnsiFromWord(const std::string& word);

// The caption equals the word (as UTF-8 or as ANSI bytes), also with the mnemonic
// ampersands of the caption taken out ("&OK" matches "OK"); "*" matches anything.
bool TextMatches(const std::wstring& caption, const std::string& word);

// A window's stored caption without sending it a message (top-level windows).
std::wstring StoredCaption(HWND window);
// A control's text as its window procedure reports it (edits, combo boxes).
std::wstring ControlText(HWND window);
std::string ClassNameOf(HWND window);

}  // namespace varimo
