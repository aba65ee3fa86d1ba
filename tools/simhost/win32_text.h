#pragma once
// Texts between scenario words (bytes: UTF-8, or the system's ANSI code page) and the
// system's wide captions, so a script written in UTF-8 matches windows, menus and
// controls created with either the W or the A functions. The conversions themselves, and
// a control's text (WindowText), are the plug-in's own (platform/win32_text.h).

#include <windows.h>

#include <string>

#include "platform/win32_text.h"

namespace varimo {

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
std::string ClassNameOf(HWND window);

}  // namespace varimo
